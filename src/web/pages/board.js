// The hall's board in a browser: the theme's look, the latest calls newest on top, pushed by the
// server. The page remembers the key of the last call it showed and, after a lost connection, asks
// for the calls since that key, so no call is missed and none is shown twice. Each call that comes
// while the page is open is told back to the server once it is on screen, under the name the hall gave
// this screen (?screen=NAME), so the counter knows the call was seen here.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const theme = params.get('theme') || '';
  const screenName = params.get('screen') || '';
  const offline = document.getElementById('offline');
  const rowsBody = document.getElementById('rows');
  const head = document.getElementById('head');
  const spoken = document.getElementById('spoken');
  let config = null;
  let calls = []; // newest first, at most config.rows
  let lastKey = '';
  const applied = new Set(); // keys already shown since the last reset

  function say(text) {
    offline.textContent = text;
    offline.hidden = !text;
  }

  function fontFamily(name) {
    const base = '"Liberation Sans", Arial, Helvetica, sans-serif';
    return name ? '"' + name.replace(/["\\]/g, '') + '", ' + base : base;
  }

  function applyTheme(c) {
    document.title = c.title || BrivaneLive.word('Board');
    const body = document.body.style;
    body.background = c.screenBg;
    const title = document.getElementById('title');
    title.textContent = c.title;
    title.style.color = c.titleColor;
    title.style.fontFamily = fontFamily(c.titleFont);
    title.hidden = !c.title;
    const clock = document.getElementById('clock');
    clock.style.color = c.timeColor;
    clock.style.fontFamily = fontFamily(c.timeFont);
    clock.hidden = !c.showTime;
    document.getElementById('top').hidden = !c.title && !c.showTime;
    const table = document.getElementById('calls');
    table.style.background = c.tableBg;
    table.style.setProperty('--mark', c.markColor);
    table.style.setProperty('--mark-text', c.markText);
    const news = document.getElementById('news');
    news.style.background = c.newsBg;
    news.style.color = c.newsColor;
    head.textContent = '';
    if (c.headerOn) {
      const tr = document.createElement('tr');
      for (let i = 0; i < c.columns; ++i) {
        const th = document.createElement('th');
        th.scope = 'col';
        th.textContent = c.headers[i] || '';
        th.style.background = c.headerBg;
        th.style.color = c.headerFore;
        th.style.fontFamily = fontFamily(c.headerFont);
        th.style.borderColor = c.lineColor;
        th.style.borderWidth = c.lineWidth + 'px';
        if (c.widths[i]) th.style.width = c.widths[i] + '%';
        tr.appendChild(th);
      }
      head.appendChild(tr);
    }
  }

  function cellTexts(call) {
    const texts = [call ? call.label : '', call ? call.caption : ''];
    if (config.columns > 2) texts.push(call ? call.caption2 : '');
    while (texts.length < config.columns) texts.push('');
    return texts;
  }

  function render(flashNewest) {
    rowsBody.textContent = '';
    for (let r = 0; r < config.rows; ++r) {
      const call = calls[r];
      const tr = document.createElement('tr');
      if (r === 0 && call) {
        tr.className = 'newest' + (flashNewest ? ' flash' : '');
        tr.dataset.key = call.key;
      }
      const texts = cellTexts(call);
      for (let i = 0; i < texts.length; ++i) {
        const td = document.createElement('td');
        td.textContent = texts[i];
        td.className = i === 0 ? 'token' : 'caption';
        td.style.background = r % 2 === 0 ? config.altColor : config.tableBg;
        const alt = r % 2 === 0;
        td.style.color = i === 0 ? (alt ? config.tokenColorAlt : config.tokenColor)
                                 : (alt ? config.valueColorAlt : config.valueColor);
        td.style.fontFamily = fontFamily(i === 0 ? config.tokenFont : config.valueFont);
        td.style.borderColor = config.lineColor;
        td.style.borderWidth = config.lineWidth + 'px';
        if (!config.headerOn && config.widths[i]) td.style.width = config.widths[i] + '%';
        tr.appendChild(td);
      }
      rowsBody.appendChild(tr);
    }
    fitFonts();
  }

  // Letters as large as the rows allow, and no larger than the widest text of their kind lets them
  // be: the table fills the screen whatever its shape, the tokens share one size, the counter captions
  // another, and the header stays smaller than both.
  function fitFonts() {
    if (!config) return;
    const area = document.getElementById('table');
    const lines = config.rows + (config.headerOn ? 1 : 0);
    const px = Math.max(8, (area.clientHeight / Math.max(1, lines)) * 0.62);
    const base = {head: px * 0.6, token: px * config.tokenScale, caption: px};
    const cells = [];
    for (const th of head.querySelectorAll('th')) cells.push({cell: th, kind: 'head', share: 1});
    for (const td of rowsBody.querySelectorAll('td')) {
      const twoLines = td.textContent.indexOf('\n') >= 0;
      cells.push({cell: td, kind: td.className === 'token' ? 'token' : 'caption', share: twoLines ? 0.55 : 1});
    }
    for (const c of cells) c.cell.style.fontSize = base[c.kind] * c.share + 'px';
    const fit = {head: 1, token: 1, caption: 1};
    for (const c of cells) {
      const style = getComputedStyle(c.cell);
      const padding = parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
      const room = c.cell.clientWidth - padding;
      const needed = c.cell.scrollWidth - padding;
      if (needed > room && needed > 0) fit[c.kind] = Math.min(fit[c.kind], (room / needed) * 0.97);
    }
    const size = {token: base.token * fit.token, caption: base.caption * fit.caption};
    size.head = Math.min(base.head * fit.head, 0.6 * Math.min(size.token, size.caption));
    for (const c of cells) c.cell.style.fontSize = Math.max(8, size[c.kind] * c.share) + 'px';
  }

  function reset(list, key) {
    calls = list.slice(0, config.rows);
    applied.clear();
    for (const c of list) applied.add(c.key);
    lastKey = key || (list.length ? list[0].key : '');
    render(false);
  }

  // Told once the browser has painted the frame that holds the call (a hidden tab paints nothing and
  // so tells nothing).
  function shown(call, reply) {
    requestAnimationFrame(function () {
      requestAnimationFrame(function () {
        reply(JSON.stringify({t: 'shown', key: call.key}));
      });
    });
  }

  function show(call, reply) {
    if (applied.has(call.key)) return; // already on the board
    applied.add(call.key);
    lastKey = call.key;
    // The same token called again (a recall) stays where it is on top; any other pushes the rest down.
    if (calls.length && calls[0].label === call.label) calls[0] = call;
    else calls.unshift(call);
    calls = calls.slice(0, config.rows);
    render(true);
    announce(call);
    shown(call, reply);
  }

  // A screen reader says each new call ("A12: Please go to Desk 1"), and the tab's title shows it.
  function announce(call) {
    const counter = (call.caption || '').split('\n')[0].trim();
    const words = call.label + ': ' + spoken.dataset.go + ' ' + counter;
    spoken.textContent = '';
    setTimeout(function () { spoken.textContent = words; }, 100);
    document.title = words + ' \u2013 ' + ((config && config.title) || BrivaneLive.word('Board'));
  }

  // After a lost connection the board asks for what came since the last call it showed.
  function connect() {
    BrivaneLive.open(function () {
      return '/ws/board?theme=' + encodeURIComponent(theme) + '&since=' + encodeURIComponent(lastKey) +
             (screenName ? '&screen=' + encodeURIComponent(screenName) : '');
    }, {
      message: function (m, reply) {
        if (m.t === 'reset') reset(m.calls || [], m.key);
        else if (m.t === 'calls') (m.calls || []).forEach(function (c) { show(c, reply); });
        if (typeof m.now === 'number') BrivaneClock.setServerTime(m.now, m.utcOffset);
        say(m.db === false ? BrivaneLive.word('The server cannot reach the database') : '');
      },
      lost: function () { say(BrivaneLive.word('No connection to the server')); },
    });
  }

  function tickClock() {
    if (config && config.showTime)
      document.getElementById('clock').textContent = BrivaneClock.text(config.timeFormat);
  }
  setInterval(tickClock, 1000);

  // The news band: the messages that run to the left cross from right to left, then those that run
  // to the right from left to right; the messages are read again before each crossing. The browser
  // moves the band itself (a transition), which stays smooth on a small TV computer.
  const ticker = document.getElementById('ticker');
  const band = document.getElementById('news');
  let news = {left: [], right: []};
  let phase = 'left';

  function loadNews(then) {
    fetch('/api/news', {cache: 'no-store'})
      .then(function (r) { return r.ok ? r.json() : {left: [], right: []}; })
      .then(function (n) { news = n; then(); })
      .catch(function () { then(); });
  }

  function nextCrossing() {
    phase = phase === 'left' ? 'right' : 'left';
    loadNews(startCrossing);
  }

  function startCrossing() {
    let set = phase === 'left' ? news.left : news.right;
    if (!set.length) {
      phase = phase === 'left' ? 'right' : 'left';
      set = phase === 'left' ? news.left : news.right;
    }
    band.hidden = !set.length;
    fitFonts();
    if (!set.length) {
      setTimeout(function () { loadNews(startCrossing); }, 30000);
      return;
    }
    ticker.textContent = set.join('        \u2022        ');
    const from = phase === 'left' ? band.clientWidth : -ticker.scrollWidth;
    const to = phase === 'left' ? -ticker.scrollWidth : band.clientWidth;
    ticker.style.transition = 'none';
    ticker.style.transform = 'translateX(' + from + 'px)';
    void ticker.offsetWidth; // the start position takes effect before the move
    const seconds = Math.abs(to - from) / (band.clientHeight * 1.7); // about 128 px/s on 1080 lines
    ticker.style.transition = 'transform ' + seconds + 's linear';
    ticker.style.transform = 'translateX(' + to + 'px)';
    setTimeout(nextCrossing, seconds * 1000 + 200);
  }

  function start() {
    fetch('/api/board?theme=' + encodeURIComponent(theme), {cache: 'no-store'})
      .then(function (r) {
        if (r.status === 404) throw new Error('No theme of that name');
        if (!r.ok) throw new Error('No connection to the server');
        return r.json();
      })
      .then(function (c) {
        config = c;
        BrivaneClock.setServerTime(c.now, c.utcOffset);
        applyTheme(c);
        reset([], '');
        tickClock();
        connect();
        loadNews(startCrossing);
        window.addEventListener('resize', fitFonts);
      })
      .catch(function (e) {
        say(BrivaneLive.word(e.message === 'No theme of that name' ? e.message : 'No connection to the server'));
        setTimeout(start, 5000);
      });
  }
  start();
})();
