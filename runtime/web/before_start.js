// Before the calculator's WebAssembly runs: if it cannot start at all, the page says so.
Module['onAbort'] = function (what) {
  var notice = document.createElement('p');
  notice.className = 'failed';
  notice.textContent = 'The calculator could not start in this browser (' + what + ').';
  document.body.append(notice);
};
