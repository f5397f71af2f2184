#pragma once
// The speed menu's items, read from the skin's "speed_menu.xml": each item's name, its text
// and the speed the text names ("1.5x" is 1.5). The window labels speeds and the media
// controls take their range from these.

#include <QString>
#include <vector>

struct SpeedItem {
    QString name;
    QString text;
    double speed = 1.0;
};

class SpeedItems {
  public:
    // The items of `file`; none where it cannot be read. An item whose text names no speed
    // is left out.
    static SpeedItems FromSkin(const QString& file = QStringLiteral("speed_menu.xml"));

    const std::vector<SpeedItem>& Items() const { return m_items; }
    const SpeedItem* FindByName(const QString& name) const;
    std::vector<double> Speeds() const;
    // The text of the item for `speed`, or the speed written as the items are ("1.5x").
    QString LabelFor(double speed) const;

  private:
    std::vector<SpeedItem> m_items;
};
