// The near-turn alert of the ticket page: the visitor's choice is posted in the background (the form
// posts by itself where scripts do not run), and when the server says the alert fired the page rings,
// vibrates and shows it, with a system notification where the visitor allowed one.
'use strict';

const BrivaneAlert = (function () {
  const code = location.pathname.split('/').pop();
  const section = document.getElementById('alert');
  const form = document.getElementById('alertForm');
  const status = document.getElementById('alertStatus');
  const error = document.getElementById('alertError');
  const fired = document.getElementById('alertFired');
  const off = document.getElementById('alertOff');
  const phone = document.getElementById('phone');
  let audio = null;
  let onState = null;
  let shownAt = '';

  function storedAlert() {
    try {
      return localStorage.getItem('brivane-alerted-' + code) || '';
    } catch (e) {
      return '';
    }
  }

  function remember(at) {
    try {
      localStorage.setItem('brivane-alerted-' + code, at);
    } catch (e) {
      // A page without storage rings again after a reload.
    }
  }

  function beep() {
    if (!audio) return;
    try {
      if (audio.state === 'suspended') audio.resume();
      const start = audio.currentTime;
      for (let i = 0; i < 3; ++i) {
        const tone = audio.createOscillator();
        const gain = audio.createGain();
        tone.frequency.value = 880;
        gain.gain.value = 0.3;
        tone.connect(gain).connect(audio.destination);
        tone.start(start + i * 0.45);
        tone.stop(start + i * 0.45 + 0.3);
      }
    } catch (e) {
      // No sound where the browser allows none.
    }
  }

  function ring(text) {
    fired.classList.remove('flash');
    void fired.offsetWidth;
    fired.classList.add('flash');
    if (navigator.vibrate) navigator.vibrate([500, 200, 500, 200, 500]);
    beep();
    try {
      if (window.Notification && Notification.permission === 'granted')
        new Notification(document.getElementById('token').textContent, {body: text, tag: 'brivane-' + code});
    } catch (e) {
      // Phones show notifications only through a service worker: the page itself still rings.
    }
  }

  // The alert's part of the ticket's state; `called`: the token was called (the call box says it all).
  function show(alert, called) {
    section.hidden = !alert || called;
    if (!alert) return;
    const asked = alert.lead && !alert.at && !alert.moot;
    form.hidden = !!alert.at || !!alert.moot;
    off.hidden = !asked;
    status.textContent = alert.status || '';
    if (asked) {
      const chosen = form.querySelector('input[name="when"][value="' + alert.lead + '"]');
      if (chosen) chosen.checked = true;
    }
    if (fired.textContent !== (alert.fired || '')) fired.textContent = alert.fired || '';
    if (alert.at && shownAt !== alert.at) {
      shownAt = alert.at;
      if (storedAlert() !== alert.at) {
        remember(alert.at);
        ring(alert.fired);
      }
    }
  }

  function refused(text) {
    error.textContent = text;
    error.hidden = false;
  }

  form.addEventListener('submit', function (event) {
    event.preventDefault();
    // The visitor's tap: the one moment a page may ask to notify and may start its sound.
    try {
      if (!audio && (window.AudioContext || window.webkitAudioContext))
        audio = new (window.AudioContext || window.webkitAudioContext)();
    } catch (e) {
      audio = null;
    }
    const withdrawing = event.submitter === off;
    if (!withdrawing && window.Notification && Notification.permission === 'default') {
      try {
        Notification.requestPermission();
      } catch (e) {
        // Older browsers ask with a callback; the page rings without a notification.
      }
    }
    const body = new URLSearchParams();
    const chosen = form.querySelector('input[name="when"]:checked');
    body.set('when', withdrawing ? 'off' : chosen ? chosen.value : '');
    body.set('phone', withdrawing ? '' : phone.value);
    fetch(form.action, {
      method: 'POST',
      headers: {'Accept': 'application/json'},
      body: body,
      credentials: 'same-origin',
    })
      .then(function (reply) {
        return reply.json();
      })
      .then(function (m) {
        if (m.t === 'ticket') {
          error.hidden = true;
          error.textContent = '';
          phone.value = '';
          if (onState) onState(m);
        } else {
          refused(m.error || '');
        }
      })
      .catch(function () {
        refused(BrivaneLive.word('No connection to the server'));
      });
  });

  return {
    show: show,
    // The ticket's state the server answers a choice with goes where the pushed state goes.
    onState: function (f) {
      onState = f;
    },
  };
})();
