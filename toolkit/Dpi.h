#pragma once
// CDPI: the DPI the program lays itself out for: the primary screen's scale times 96.

class CDPI {
  public:
    static int GetMainMonitorDPI();
};
