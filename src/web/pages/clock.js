// The hall's clock on a web page: the server's time (so a screen with a wrong clock still shows the
// hall's), written in the theme's date and time format.
'use strict';

const BrivaneClock = (function () {
  const monthsShort = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec'];
  const monthsLong = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
    'September', 'October', 'November', 'December'];
  const daysShort = ['Sun', 'Mon', 'Tue', 'Wed', 'Thu', 'Fri', 'Sat'];
  const daysLong = ['Sunday', 'Monday', 'Tuesday', 'Wednesday', 'Thursday', 'Friday', 'Saturday'];
  let offsetMs = 0; // server time minus this screen's time
  let zoneOffsetMin = null; // the server's offset from UTC in minutes, when known

  function pad(n, width) {
    let s = String(n);
    while (s.length < width) s = '0' + s;
    return s;
  }

  // The server's wall-clock time as a Date whose UTC fields hold it.
  function hallTime() {
    const t = Date.now() + offsetMs;
    const zone = zoneOffsetMin === null ? -new Date(t).getTimezoneOffset() : zoneOffsetMin;
    return new Date(t + zone * 60000);
  }

  // The date-time format the desktop program uses (d dd ddd dddd M MM MMM MMMM yy yyyy h hh H HH
  // m mm s ss z zzz AP ap, text in single quotes).
  function format(fmt, d) {
    const tokens = /'[^']*'|dddd|ddd|dd|d|MMMM|MMM|MM|M|yyyy|yy|HH|H|hh|h|mm|m|ss|s|zzz|z|AP|ap|A|a/g;
    const hasAmPm = /AP|ap|A|a/.test(fmt.replace(/'[^']*'/g, ''));
    const h24 = d.getUTCHours();
    const h12 = h24 % 12 === 0 ? 12 : h24 % 12;
    return fmt.replace(tokens, function (tok) {
      switch (tok) {
        case 'dddd': return daysLong[d.getUTCDay()];
        case 'ddd': return daysShort[d.getUTCDay()];
        case 'dd': return pad(d.getUTCDate(), 2);
        case 'd': return String(d.getUTCDate());
        case 'MMMM': return monthsLong[d.getUTCMonth()];
        case 'MMM': return monthsShort[d.getUTCMonth()];
        case 'MM': return pad(d.getUTCMonth() + 1, 2);
        case 'M': return String(d.getUTCMonth() + 1);
        case 'yyyy': return pad(d.getUTCFullYear(), 4);
        case 'yy': return pad(d.getUTCFullYear() % 100, 2);
        case 'HH': return pad(h24, 2);
        case 'H': return String(h24);
        case 'hh': return pad(hasAmPm ? h12 : h24, 2);
        case 'h': return String(hasAmPm ? h12 : h24);
        case 'mm': return pad(d.getUTCMinutes(), 2);
        case 'm': return String(d.getUTCMinutes());
        case 'ss': return pad(d.getUTCSeconds(), 2);
        case 's': return String(d.getUTCSeconds());
        case 'zzz': return pad(d.getUTCMilliseconds(), 3);
        case 'z': return String(d.getUTCMilliseconds());
        case 'AP': case 'A': return h24 < 12 ? 'AM' : 'PM';
        case 'ap': case 'a': return h24 < 12 ? 'am' : 'pm';
        default: return tok.length > 2 ? tok.slice(1, -1) : (tok === "''" ? "'" : tok.slice(1, -1));
      }
    });
  }

  return {
    // The server's time in milliseconds since the epoch and its offset from UTC in minutes.
    setServerTime: function (nowMs, utcOffsetMin) {
      if (typeof nowMs === 'number') offsetMs = nowMs - Date.now();
      if (typeof utcOffsetMin === 'number') zoneOffsetMin = utcOffsetMin;
    },
    text: function (fmt) { return format(fmt || 'dd-MMM-yyyy HH:mm', hallTime()); },
    format: format,
  };
})();
