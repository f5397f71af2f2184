#pragma once
// The program's recent documents, which the jump list of its taskbar button shows under
// "Recent", kept by the shell for the process's application user model id.

#include <QString>

#include "session/ShellServices.h"

class ShellRecentDocuments final : public RecentDocuments {
  public:
    void Add(const QString& path) override;
};
