// The form zoomed to fit the screen before the browser first draws it, so that
// nothing on the page moves when the program starts; the program zooms it again
// whenever the page or the form changes size.

// Where the page is narrower than the form, the whole form is zoomed to fit
// it; on a touch screen it fills the width, or the height where that is less.
// In an app window with a mouse the window is fitted to the form instead.
function zoomToScreen(form) {
  const touch = matchMedia('(pointer: coarse)').matches;
  if (matchMedia('(display-mode: standalone)').matches && !touch) {
    form.style.zoom = '';
    return;
  }
  const body = document.body;
  const width = body.clientWidth;
  const height = document.documentElement.clientHeight - 2 * body.offsetTop;
  // How many times the form fits the page: under 1 where it overflows.
  const room = () => {
    const shown = form.getBoundingClientRect();
    const wide = width / shown.width;
    return touch ? Math.min(wide, height / shown.height) : wide;
  };
  let zoom = room();
  if (form.style.zoom) {
    // Fitted already, to the page as it is: left as it is, laid out once.
    if (zoom >= 1 && zoom < 1.01) {
      return;
    }
    form.style.zoom = '';
    zoom = room(); // unzoomed
  }
  if (!(zoom > 0) || (!touch && zoom >= 1)) {
    return;
  }
  // Text and borders round to device pixels, so the size is not quite in
  // proportion: where the proportion overflows, a little less, until it fits.
  // A few tries, not a search: each lays the form out again.
  for (let tries = 0; tries < 8; ++tries) {
    form.style.zoom = zoom;
    const left = room();
    if (left >= 1) {
      return;
    }
    zoom *= left * 0.999;
  }
}

// In the first animation frame, which comes once the style is there and just
// before the browser first draws the page, so that the first frame has the form
// where it stays. The parser has put the form in by then; were it not there
// yet, the first frame that has it fits it.
requestAnimationFrame(function fitted() {
  const client = document.querySelector('.form > .client');
  if (client) {
    zoomToScreen(client.parentElement);
  } else if (document.readyState === 'loading') {
    requestAnimationFrame(fitted);
  }
});
