#pragma once
// CDialogBuilder: builds a window's control tree from a layout file of the skin package and
// gives the window's paint manager its fonts, styles, defaults and window attributes. Every
// element and attribute must be known: anything else is reported, with its line, and the
// build fails rather than silently dropping part of the skin.

#include <QByteArray>
#include <QStringList>
#include <memory>

class CControlUI;
class CPaintManagerUI;
class QXmlStreamReader;

class CDialogBuilder {
  public:
    // Builds from a file of the skin package.
    std::unique_ptr<CControlUI> Create(const QString& file, CPaintManagerUI* manager);
    // Builds from layout bytes; `origin` names them in error reports.
    std::unique_ptr<CControlUI> CreateFromData(const QByteArray& xml, CPaintManagerUI* manager,
                                               const QString& origin = QStringLiteral("layout"));
    const QStringList& GetErrors() const { return m_errors; }

    // A fresh control for a layout element name, or null for an unknown one.
    static std::unique_ptr<CControlUI> CreateControl(const QString& elementName);

    // Limits that a layout beyond them is refused for, with an error. Building, laying out
    // and painting recurse once per level of nesting, so a deep enough tree would overflow
    // the stack; and with at most this many controls, each at most kMaxLayoutPixels
    // (AttributeList.h) in any measure, no sum of their sizes overflows an int.
    static constexpr int kMaxNesting = 64;
    static constexpr int kMaxControls = 4096;

  private:
    bool ReadWindowAttributes(QXmlStreamReader& reader, CPaintManagerUI* manager);
    bool ReadFont(QXmlStreamReader& reader, CPaintManagerUI* manager);
    bool ReadNamedValue(QXmlStreamReader& reader, CPaintManagerUI* manager, bool isStyle);
    std::unique_ptr<CControlUI> ReadControl(QXmlStreamReader& reader, CPaintManagerUI* manager,
                                            CControlUI* parent, int depth);
    void Error(const QXmlStreamReader& reader, const QString& what);

    QString m_origin;
    QStringList m_errors;
    int m_controls = 0;  // controls created by the current build
};
