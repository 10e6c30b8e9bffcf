#include "ui/Dialogs.h"

#include "ui/Captions.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

TDialogs::TDialogs()
    : Error([](QWidget* parent, const QString& text) {
          QMessageBox::critical(parent, QString(), text);
      }),
      Confirm([](QWidget* parent, const QString& text) {
          return QMessageBox::question(parent, QString(), text,
                                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
      }),
      YesNoCancel([](QWidget* parent, const QString& text, bool english) {
          QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::NoButton, parent);
          const QAbstractButton* yes =
              box.addButton(Phrase(TPhrase::YesButton, english), QMessageBox::YesRole);
          const QAbstractButton* no =
              box.addButton(Phrase(TPhrase::NoButton, english), QMessageBox::NoRole);
          QPushButton* cancel =
              box.addButton(Phrase(TPhrase::CancelButton, english), QMessageBox::RejectRole);
          box.setEscapeButton(cancel);
          box.exec();
          const QAbstractButton* clicked = box.clickedButton();
          return clicked == yes ? TAnswer::Yes : clicked == no ? TAnswer::No : TAnswer::Cancel;
      }),
      OpenFileName([](QWidget* parent, const QString& title) {
          return QFileDialog::getOpenFileName(parent, title);
      }),
      SaveFileName([](QWidget* parent, const QString& title) {
          return QFileDialog::getSaveFileName(parent, title, QString(), QString(), nullptr,
                                              QFileDialog::DontConfirmOverwrite);
      }),
      Exec([](QDialog& dialog) { return dialog.exec(); }),
      Popup([](QMenu& menu, const QPoint& globalPosition) { menu.exec(globalPosition); }),
      Inform([](QWidget* parent, const QString& text) {
          QMessageBox::information(parent, QString(), text);
      }),
      SaveFileOfKind([](QWidget* parent, const QString& title, const QStringList& kinds) {
          QString chosen = kinds.value(0);
          QString name = QFileDialog::getSaveFileName(parent, title, QString(), kinds.join(";;"),
                                                      &chosen, QFileDialog::DontConfirmOverwrite);
          const qsizetype star = chosen.indexOf(QStringLiteral("*."));
          if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty() && star >= 0) {
              name += chosen.mid(star + 1, chosen.indexOf(')', star) - star - 1);
          }
          return name;
      }) {}

QString CssColor(const QColor& color, int alpha) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(alpha);
}

} // namespace ui
