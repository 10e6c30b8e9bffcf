#include "ui/FileMessages.h"

#include <cerrno>

namespace ui {
namespace {

struct TOperationText {
    platform::TFileOperation Operation;
    const char* Bulgarian; // completes "Файлът „…“ не може да бъде …"
    const char* English;   // completes "Cannot … file"
};

constexpr TOperationText kOperations[] = {
    {platform::TFileOperation::Open, "отворен", "open"},
    {platform::TFileOperation::Create, "създаден", "create"},
    {platform::TFileOperation::Write, "записан", "write"},
    {platform::TFileOperation::Update, "обновен", "update"},
};

// The system's reasons a file operation meets, in Bulgarian; the English
// ones are the system's own.
struct TReasonText {
    int Failure;
    const char* Bulgarian;
};

constexpr TReasonText kReasons[] = {
    {ENOENT, "Няма такъв файл или папка"},
    {EACCES, "Достъпът е отказан"},
    {EPERM, "Операцията не е разрешена"},
    {ENOSPC, "На диска няма свободно място"},
    {EDQUOT, "Дисковата квота е изчерпана"},
    {EROFS, "Файловата система е само за четене"},
    {EISDIR, "Това е папка, а не файл"},
    {ENOTDIR, "Част от пътя не е папка"},
    {ENAMETOOLONG, "Името на файла е твърде дълго"},
    {ELOOP, "Символните връзки по пътя са твърде много"},
    {EEXIST, "Файлът вече съществува"},
    {EFBIG, "Файлът е по-голям, отколкото може да бъде файл от този вид"},
    {ENOMEM, "Няма достатъчно памет"},
    {EMFILE, "Програмата е отворила твърде много файлове"},
    {ENFILE, "В системата са отворени твърде много файлове"},
    {EIO, "Грешка при четене или запис на устройството"},
    {EBUSY, "Файлът е зает"},
    {ETXTBSY, "Файлът е зает"},
    {EAGAIN, "Файлът временно е недостъпен"},
    {ENXIO, "Няма такова устройство или адрес"},
    {EBADF, "Файлът не е отворен"},
    {platform::kIsNamedPipe, "Това е именуван канал, а не файл"},
    {platform::kIsDevice, "Това е устройство, а не файл"},
    {platform::kIsSocket, "Това е сокет, а не файл"},
};

struct TFaultText {
    platform::TFileFault Fault;
    const char* Bulgarian;
    const char* English;
};

constexpr TFaultText kFaults[] = {
    {platform::TFileFault::LineTooLong,
     "Ред %1 съдържа %2 знака, а дума от речника има най-много %3.",
     "Line %1 holds %2 characters; a word of the dictionary has at most %3."},
    {platform::TFileFault::NotInCodePage, "Ред %1 съдържа знак, който кодовата таблица 1251 няма.",
     "Line %1 holds a character that code page 1251 does not have."},
    // Only the user dictionary's index is updated under a check.
    {platform::TFileFault::ChangedMeanwhile,
     "Той вече не съвпада с прочетеното от програмата при стартирането ѝ; стартирайте "
     "програмата отново и добавете думата пак.",
     "It no longer matches what the program read at start; restart the program and add the "
     "word again."},
    {platform::TFileFault::Busy,
     "Речникът е зает: друга програма записва в него. Текстът Ви е запазен; опитайте отново "
     "след малко.",
     "The dictionary is busy: another program is writing to it. Your text is kept; try again in "
     "a moment."},
};

QString Path(const platform::TFileError& error) {
    return QString::fromStdString(error.File.string());
}

QString FaultText(const platform::TFileError& error, TLanguage language) {
    for (const TFaultText& fault : kFaults) {
        if (fault.Fault == error.Fault) {
            const QString text = TextIn(fault, language);
            if (fault.Fault == platform::TFileFault::NotInCodePage) {
                return text.arg(error.Line);
            }
            if (fault.Fault != platform::TFileFault::LineTooLong) {
                return text;
            }
            return text.arg(error.Line).arg(error.Length).arg(error.Limit);
        }
    }
    return {};
}

} // namespace

QString FileFailureReason(int failure, TLanguage language) {
    if (language == TLanguage::Bulgarian) {
        for (const TReasonText& reason : kReasons) {
            if (reason.Failure == failure) {
                return QString::fromUtf8(reason.Bulgarian);
            }
        }
    }
    // The English reasons are the system's own, and so are those too seldom
    // met to have Bulgarian words.
    return QString::fromStdString(platform::FileErrorText(failure));
}

QString FileErrorMessage(const platform::TFileError& error, TLanguage language) {
    QString verb;
    for (const TOperationText& operation : kOperations) {
        if (operation.Operation == error.Operation) {
            verb = TextIn(operation, language);
        }
    }
    QString message = Phrase(TPhrase::CannotFile, language).arg(Path(error), verb);
    if (error.Errno != 0) {
        message += QLatin1Char(' ') + FileFailureReason(error.Errno, language) + QLatin1Char('.');
    } else if (error.Fault != platform::TFileFault::None) {
        message += QLatin1Char(' ') + FaultText(error, language);
    }
    return message;
}

} // namespace ui
