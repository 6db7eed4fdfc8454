// A pushed connection to the server that comes back by itself: after a loss it tries again after a
// pause that doubles up to 15 s, and a connection that went quiet (the server sends a sign of life
// every few seconds) counts as lost. body[data-live] tells whether it is up.
'use strict';

const BrivaneLive = (function () {
  // address() gives the path to connect to, asked again for each try; on.message(m, reply) gets each
  // message and a function that sends a text back on the connection the message came by (nothing once
  // that one is gone); on.lost() is told of each loss.
  function open(address, on) {
    let socket = null;
    let lastMessageAt = 0;
    let retryMs = 1000;

    function lost() {
      on.lost();
      setTimeout(connect, retryMs);
      retryMs = Math.min(retryMs * 2, 15000);
    }

    function connect() {
      const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
      try {
        socket = new WebSocket(scheme + '//' + location.host + address());
      } catch (e) {
        lost();
        return;
      }
      socket.onopen = function () {
        retryMs = 1000;
        lastMessageAt = Date.now();
      };
      const own = socket;
      function reply(text) {
        if (own.readyState === WebSocket.OPEN) own.send(text);
      }
      socket.onmessage = function (event) {
        lastMessageAt = Date.now();
        let m;
        try {
          m = JSON.parse(event.data);
        } catch (e) {
          return;
        }
        on.message(m, reply);
        document.body.dataset.live = '1';
      };
      socket.onclose = function () {
        socket = null;
        document.body.dataset.live = '0';
        lost();
      };
    }

    setInterval(function () {
      if (socket && socket.readyState === WebSocket.OPEN && Date.now() - lastMessageAt > 25000) socket.close();
    }, 5000);
    connect();
  }

  // The page's text in its language: the server hands the scripts' texts over in #words.
  let words = null;
  function word(text) {
    if (words === null) {
      const element = document.getElementById('words');
      try {
        words = element ? JSON.parse(element.textContent) : {};
      } catch (e) {
        words = {};
      }
    }
    return words[text] || text;
  }

  return {open: open, word: word};
})();
