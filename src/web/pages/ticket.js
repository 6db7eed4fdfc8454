// The visitor's ticket page: the ticket's state, pushed by the server; when the token is called the
// page says where to go, and says it again at a recall.
'use strict';

(function () {
  const code = location.pathname.split('/').pop();
  const offline = document.getElementById('offline');
  const dbLost = document.getElementById('dbLost');
  const spoken = document.getElementById('spoken');
  let shownCall = '';

  function text(id, value) {
    document.getElementById(id).textContent = value;
  }

  function showTicket(m) {
    text('token', m.token);
    text('service', m.service);
    text('ahead', typeof m.ahead === 'number' ? String(m.ahead) : '\u2013');
    text('wait', m.waitText || '\u2013');
    BrivaneAlert.show(m.alert, !!m.called);
    const call = document.getElementById('call');
    if (m.called) {
      text('counter', m.called.counter);
      call.hidden = false;
      document.body.classList.add('called');
      // The words of the call box, on one line: what a screen reader says and the tab's title shows.
      const where = document.getElementById('go').textContent + ' ' + m.called.counter.replace(/\s+/g, ' ');
      document.title = where + ' \u2013 ' + m.token;
      if (m.called.key !== shownCall) {
        // Said at once, again at a recall: the live region is emptied first so the same words count.
        spoken.textContent = '';
        setTimeout(function () { spoken.textContent = where; }, 100);
        // A new call or a recall: make it seen (and felt, where the phone can).
        shownCall = m.called.key;
        document.body.dataset.call = shownCall;
        call.classList.remove('flash');
        void call.offsetWidth;
        call.classList.add('flash');
        if (navigator.vibrate) navigator.vibrate([300, 150, 300]);
      }
    } else {
      call.hidden = true;
      document.body.classList.remove('called');
      document.title = m.token;
    }
  }

  BrivaneAlert.onState(showTicket);

  BrivaneLive.open(function () { return '/ws/t/' + encodeURIComponent(code); }, {
    message: function (m) {
      if (m.t === 'ticket') showTicket(m);
      offline.hidden = true;
      // The server tells with each sign of life whether it reaches the database; while it does not,
      // the figures on the page are those of the last answer.
      if (m.db === false) dbLost.hidden = false;
      else if (m.db === true) dbLost.hidden = true;
    },
    lost: function () {
      offline.hidden = false;
      dbLost.hidden = true;
    },
  });
})();
