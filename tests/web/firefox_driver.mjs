// Firefox ESR driven over its own WebDriver BiDi by puppeteer-core, for the web
// tests in Python: one request a line on standard input, one answer a line on
// standard output, both JSON. Started with the options as its one argument;
// the browser and its profile go when standard input closes.
import puppeteer from 'puppeteer-core';
import { createInterface } from 'node:readline';

const options = JSON.parse(process.argv[2]);
const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath: '/usr/bin/firefox-esr',
  headless: true,
  userDataDir: options.profile,
  defaultViewport: { width: options.width, height: options.height,
                     deviceScaleFactor: options.scale },
  extraPrefsFirefox: { 'intl.accept_languages': options.language,
                       'intl.locale.requested': options.language, ...options.prefs },
});
// A tab of its own: in the first one the focus stays in the address bar, and
// keys reach the page without pressing its buttons.
const page = await browser.newPage();
const errors = [];
page.on('pageerror', (error) => errors.push(String(error)));
page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));

const requests = {
  goto: ({ url }) => page.goto(url, { waitUntil: 'load' }).then(() => null),
  // A script's body with its arguments, as WebDriver's Execute Script takes it.
  js: ({ script, args }) => page.evaluate(
    `(function () { ${script}\n}).apply(null, ${JSON.stringify(args)})`),
  click: ({ selector }) => page.click(selector),
  click_at: ({ x, y }) => page.mouse.click(x, y),
  viewport: ({ width, height }) => page.setViewport({ width, height,
                                                     deviceScaleFactor: options.scale }),
  keys: async ({ keys }) => {
    for (const key of keys) {
      const [modifier, pressed] = key.includes('+') ? key.split('+') : [null, key];
      if (modifier) await page.keyboard.down(modifier);
      await page.keyboard.press(pressed);
      if (modifier) await page.keyboard.up(modifier);
    }
  },
  errors: () => errors.splice(0),
};

for await (const line of createInterface({ input: process.stdin })) {
  const { request, ...parameters } = JSON.parse(line);
  try {
    const value = await requests[request](parameters);
    process.stdout.write(JSON.stringify({ value: value ?? null }) + '\n');
  } catch (error) {
    process.stdout.write(JSON.stringify({ error: String(error) }) + '\n');
  }
}
await browser.close();
