// Opens a published menu page in headless Chromium, opens a submenu with the
// pointer and saves a picture. Usage: node screenshot_menu.js URL OUT.png
const { chromium } = require('playwright-core');

(async () => {
  const [url, out] = process.argv.slice(2);
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run'],
  });
  const page = await browser.newPage({ viewport: { width: 760, height: 300 } });
  await page.goto(url);
  await page.waitForFunction(() => document.querySelector('[role="menubar"]'));
  const products = page.getByRole('menuitem', { name: 'Products' });
  await products.hover();
  await page.waitForTimeout(600);
  const addOns = page.getByRole('menuitem', { name: 'Add-ons' });
  await addOns.hover();
  await page.waitForTimeout(600);
  await page.screenshot({ path: out });
  await browser.close();
})().catch((e) => { console.error(e); process.exit(1); });
