#include "ui/FileMessages.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

using platform::TFileError;
using platform::TFileOperation;
using ui::TLanguage;

TEST(FileMessages, EnglishKeepsTheSystemsWords) {
    EXPECT_EQ(
        ui::FileErrorMessage({"/data/list.txt", TFileOperation::Open, ENOENT}, TLanguage::English),
        QStringLiteral("Cannot open file \"/data/list.txt\". No such file or directory."));
    EXPECT_EQ(ui::FileErrorMessage({"/data/Dictionary.cfg", TFileOperation::Create, EACCES},
                                   TLanguage::English),
              QStringLiteral("Cannot create file \"/data/Dictionary.cfg\". Permission denied."));
    EXPECT_EQ(ui::FileErrorMessage({"/data/page", TFileOperation::Open, platform::kIsNamedPipe},
                                   TLanguage::English),
              QStringLiteral("Cannot open file \"/data/page\". It is a named pipe, not a file."));
    EXPECT_EQ(ui::FileErrorMessage({"/x", TFileOperation::Write, 0}, TLanguage::English),
              QStringLiteral("Cannot write file \"/x\"."))
        << "no reason known";
}

TEST(FileMessages, BulgarianSaysItAllInBulgarian) {
    EXPECT_EQ(
        ui::FileErrorMessage({"/data/play.tmp", TFileOperation::Write, ENOSPC},
                             TLanguage::Bulgarian),
        QStringLiteral(
            "Файлът „/data/play.tmp“ не може да бъде записан. На диска няма свободно място."));
    EXPECT_EQ(ui::FileErrorMessage({"/d/eg", TFileOperation::Open, EISDIR}, TLanguage::Bulgarian),
              QStringLiteral("Файлът „/d/eg“ не може да бъде отворен. Това е папка, а не файл."));
    for (const int failure :
         {ENOENT, EACCES, EROFS, EFBIG, ENOMEM, EAGAIN, platform::kIsDevice, platform::kIsSocket}) {
        const QString reason = ui::FileFailureReason(failure, TLanguage::Bulgarian);
        EXPECT_FALSE(reason.isEmpty()) << failure;
        EXPECT_TRUE(reason.contains(QRegularExpression(QStringLiteral("[а-я]")))) << failure;
    }
    EXPECT_EQ(ui::FileFailureReason(EXDEV, TLanguage::Bulgarian),
              QString::fromLatin1(std::strerror(EXDEV)))
        << "a rare reason keeps the system's words";
}

TEST(FileMessages, FaultsOfTheContentsInBothLanguages) {
    TFileError tooLong{"/l", TFileOperation::Open};
    tooLong.Fault = platform::TFileFault::LineTooLong;
    tooLong.Line = 3;
    tooLong.Length = 250;
    tooLong.Limit = 101;
    EXPECT_EQ(ui::FileErrorMessage(tooLong, TLanguage::English),
              QStringLiteral("Cannot open file \"/l\". Line 3 holds 250 characters; a word of the "
                             "dictionary has at most 101."));
    EXPECT_EQ(ui::FileErrorMessage(tooLong, TLanguage::Bulgarian),
              QStringLiteral("Файлът „/l“ не може да бъде отворен. Ред 3 съдържа 250 знака, а дума "
                             "от речника има най-много 101."));
    TFileError changed{"/i", TFileOperation::Update};
    changed.Fault = platform::TFileFault::ChangedMeanwhile;
    EXPECT_TRUE(ui::FileErrorMessage(changed, TLanguage::English)
                    .startsWith(QStringLiteral("Cannot update file \"/i\". It no longer matches")));
    EXPECT_TRUE(ui::FileErrorMessage(changed, TLanguage::Bulgarian)
                    .startsWith(QStringLiteral("Файлът „/i“ не може да бъде обновен. Той")));
}

} // namespace
