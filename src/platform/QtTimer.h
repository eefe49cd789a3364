#pragma once

// Makes every timer created from now on a QTimer on the calling thread; the application
// installs this once, before the first window is built.
void InstallQtTimers();
