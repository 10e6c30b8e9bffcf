#include "ui/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(DialogsTest, TheThreeWayQuestionSpeaksTheInterfaceLanguage) {
    ui::TDialogs dialogs;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Да го запиша ли?"));
        for (QAbstractButton* button : box->buttons()) {
            texts << button->text();
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.YesNoCancel(nullptr, QStringLiteral("Да го запиша ли?"), false),
              ui::TAnswer::Cancel)
        << "closing the box cancels";
    texts.sort();
    EXPECT_EQ(texts,
              (QStringList{QStringLiteral("Да"), QStringLiteral("Не"), QStringLiteral("Отказ")}));

    const auto answer = [&](const QString& press) {
        QTimer::singleShot(0, [press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == press) {
                    button->click();
                }
            }
        });
        return dialogs.YesNoCancel(nullptr, QStringLiteral("Save it?"), true);
    };
    EXPECT_EQ(answer(QStringLiteral("Yes")), ui::TAnswer::Yes);
    EXPECT_EQ(answer(QStringLiteral("No")), ui::TAnswer::No);
    EXPECT_EQ(answer(QStringLiteral("Cancel")), ui::TAnswer::Cancel);
}

} // namespace
