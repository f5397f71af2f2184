#pragma once
// What the window tests and the benchmarks run in: Qt's offscreen platform, HOME and
// XDG_CONFIG_HOME in a private temporary folder so that no user file is touched, and the
// embedded skin package loaded.

#include <QTemporaryDir>

class OffscreenSession {
  public:
    // Sets the environment; call before the application object is built.
    OffscreenSession();
    // Loads the skin package; call once the application object exists.
    bool LoadSkin() const;
    bool IsValid() const { return m_home.isValid(); }

  private:
    QTemporaryDir m_home;
};
