// Before the calculator's WebAssembly runs: if it cannot start at all, the page
// says so, in place of the form it drew, which would never come to life.
Module['onAbort'] = function (what) {
  document.querySelectorAll('.form').forEach(function (form) {
    form.remove();
  });
  var notice = document.createElement('p');
  notice.className = 'failed';
  notice.textContent = 'The calculator could not start in this browser (' + what + ').';
  document.body.append(notice);
};

// Every listener of the page calls into the program through this: a JavaScript
// exception thrown by a call into the page passes C++'s catch (...), so it is
// caught here and handed to the program as a fault of the event's handling.
Module['guardedListener'] = function (exported, number) {
  return function (event) {
    try {
      exported(number, event);
    } catch (fault) {
      var what = fault instanceof Error ? fault.name + ': ' + fault.message : String(fault);
      Module['calculatorFault'](what.replace(/\.$/, '')); // the report adds its own
    }
  };
};

// The browser's number format in its language or, where that is missing or no
// language tag (WebKit says "C" under the C locale), in its default locale.
Module['numberFormat'] = function (language) {
  try {
    return new Intl.NumberFormat(language || undefined);
  } catch (notATag) {
    return new Intl.NumberFormat();
  }
};
