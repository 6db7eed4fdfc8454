// The visitor's ticket page: the ticket's state, pushed by the server; when the token is called the
// page says where to go, and says it again at a recall.
'use strict';

(function () {
  const code = location.pathname.split('/').pop();
  const offline = document.getElementById('offline');
  let shownCall = '';

  function text(id, value) {
    document.getElementById(id).textContent = value;
  }

  function showTicket(m) {
    text('token', m.token);
    text('service', m.service);
    text('ahead', typeof m.ahead === 'number' ? String(m.ahead) : '\u2013');
    text('wait', m.waitText || '\u2013');
    document.title = m.token;
    const call = document.getElementById('call');
    if (m.called) {
      text('counter', m.called.counter);
      call.hidden = false;
      document.body.classList.add('called');
      if (m.called.key !== shownCall) {
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
    }
  }

  BrivaneLive.open(function () { return '/ws/t/' + encodeURIComponent(code); }, {
    message: function (m) {
      if (m.t === 'ticket') showTicket(m);
      offline.hidden = true;
    },
    lost: function () { offline.hidden = false; },
  });
})();
