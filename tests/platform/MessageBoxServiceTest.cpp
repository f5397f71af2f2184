#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <optional>

#include "platform/MessageBoxService.h"

namespace {

struct SeenBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon;
    bool hasParent;
    Qt::WindowModality modality;
    QList<QAbstractButton*>::size_type buttonCount;
    QMessageBox::StandardButton firstButton;
};

// Shows a box through the service while a queued callback examines it and presses its
// button, as a user would. A service that showed nothing returns with nothing seen.
std::optional<SeenBox> ShowAndDismiss(const QString& text, const QString& caption,
                                      platform::MessageBoxIcon icon) {
    std::optional<SeenBox> seen;
    QTimer dismisser;
    dismisser.setSingleShot(true);
    QObject::connect(&dismisser, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible()) {
                continue;
            }
            const auto buttons = box->buttons();
            seen = SeenBox{
                box->text(),
                box->windowTitle(),
                box->icon(),
                box->parentWidget() != nullptr,
                box->windowModality(),
                buttons.size(),
                buttons.isEmpty() ? QMessageBox::NoButton : box->standardButton(buttons.first())};
            if (!buttons.isEmpty()) {
                buttons.first()->click();
            } else {
                box->reject();
            }
        }
    });
    dismisser.start(0);
    platform::SystemMessageBox().Show(text, caption, icon);
    return seen;
}

TEST(SystemMessageBoxTest, ErrorBoxIsModalWithoutOwnerAndOnlyAnOkButton) {
    const auto seen = ShowAndDismiss(QStringLiteral("找不到 libmpv.so.2"), QStringLiteral("错误"),
                                     platform::MessageBoxIcon::Error);
    ASSERT_TRUE(seen.has_value()) << "Show returned without showing a box";
    EXPECT_EQ(seen->text, QStringLiteral("找不到 libmpv.so.2"));
    EXPECT_EQ(seen->caption, QStringLiteral("错误"));
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_FALSE(seen->hasParent);
    EXPECT_EQ(seen->modality, Qt::ApplicationModal);
    EXPECT_EQ(seen->buttonCount, 1);
    EXPECT_EQ(seen->firstButton, QMessageBox::Ok);
}

TEST(SystemMessageBoxTest, PlainBoxHasNoIcon) {
    const auto seen = ShowAndDismiss(QStringLiteral("错误码: x"), QStringLiteral("失败"),
                                     platform::MessageBoxIcon::None);
    ASSERT_TRUE(seen.has_value()) << "Show returned without showing a box";
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen->caption, QStringLiteral("失败"));
    EXPECT_EQ(seen->buttonCount, 1);
}

}  // namespace
