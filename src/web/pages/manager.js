// The staff page: the Hall now figures, pushed by the server whenever the hall changes. A card per
// service on a phone, a table on a wider screen (the style sheet decides); #offline says when the
// server is out of reach.
'use strict';

(function () {
  const table = document.getElementById('hall');
  const stamp = document.getElementById('stamp');
  const offline = document.getElementById('offline');

  function cell(tag, text, label) {
    const c = document.createElement(tag);
    c.textContent = text;
    if (label) c.dataset.label = label;
    return c;
  }

  function show(m) {
    const head = document.createElement('tr');
    m.headers.forEach(function (h) { head.appendChild(cell('th', h)); });
    const body = document.createDocumentFragment();
    m.rows.forEach(function (row) {
      const tr = document.createElement('tr');
      if (row.outlook) tr.className = row.outlook;
      row.cells.forEach(function (text, i) { tr.appendChild(cell(i === 0 ? 'th' : 'td', text, m.headers[i])); });
      body.appendChild(tr);
    });
    table.tHead.replaceChildren(head);
    table.tBodies[0].replaceChildren(body);
    stamp.textContent = m.stamp;
  }

  BrivaneLive.open(function () { return '/manager/ws'; }, {
    message: function (m) {
      if (m.kind === 'hall') {
        show(m);
        offline.hidden = true;
      } else if (m.kind === 'offline') {
        offline.textContent = m.text;
        offline.hidden = false;
      } else if (m.kind === 'ended') {
        location.reload();
      }
    },
    lost: function () {
      offline.hidden = false;
    },
  });
})();
