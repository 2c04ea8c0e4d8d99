#include "lists/newwordrow.h"

#include "base/boundedfile.h"
#include "base/messages.h"
#include "lists/wordfile.h"
#include "storage/listtransaction.h"
#include "document/orthexdoc.h"
#include "storage/spellinglistdb.h"
#include "sound/recordingcheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace {
constexpr qsizetype kMaxFileErrorLength = 1024;

void showFileError(const QFile& file)
{
    Messages::Show(file.errorString().left(kMaxFileErrorLength));
}
}  // namespace

QString CNewWordRow::NoListMessage()
{
    return QStringLiteral("There is no spelling list open, so the word cannot be added.\n\n"
                          "Please open a spelling list or create a new one first (File Open or File New, or the "
                          "Start page).");
}

QString CNewWordRow::RefusedWordMessage(const QString& word)
{
    const std::optional<WordFile::SProblem> refused = WordFile::CheckWord(WordFile::Normalized(word));
    if (!refused)
        return QString();
    return QCoreApplication::translate("CNewWordRow", "\"%1\" cannot be added: %2.")
        .arg(word, WordFile::Reason(*refused));
}

QString CNewWordRow::UnplayableMessage(const QString& wavPath, const QString& why)
{
    return QStringLiteral("\"%1\" cannot be a word's recording: %2.\n\nPlease record the word again.")
        .arg(QDir::toNativeSeparators(wavPath), why);
}

CNewWordRow::Result CNewWordRow::Append(COrthexDoc& doc, const QString& word, const QString& wavPath)
{
    if (!doc.IsListOpen())
        return Result::NoList;

    // The recording folder is shared: whatever stands at the path, it is never waited on.
    QFile file;
    if (QString why; !BoundedFile::Open(file, wavPath, &why)) {
        Messages::Show(why.left(kMaxFileErrorLength));
        return Result::NotRead;
    }
    struct stat status {};
    if (::fstat(file.handle(), &status) != 0) {
        Messages::Show(QStringLiteral(" Error -- File Status On Button Save"));
        return Result::NoFileStatus;
    }
    if (qint64(status.st_size) > RecordingCheck::kMaxBytes) {
        Messages::Show(UnplayableMessage(wavPath, BoundedFile::TooLargeText(RecordingCheck::kMaxBytes)));
        return Result::Unplayable;
    }
    const QByteArray sound = file.read(qint64(status.st_size));
    // A recording read only in part would be stored as a broken sound: better none at all.
    if (sound.size() != qsizetype(status.st_size)) {
        if (file.error() == QFileDevice::NoError)
            Messages::Show(QStringLiteral("The recording \"%1\" changed while it was being read. Please record the "
                                          "word again.")
                               .arg(QDir::toNativeSeparators(wavPath)));
        else
            showFileError(file);
        return Result::NotRead;
    }
    if (const QString why = RecordingCheck::UnplayableReason(sound); !why.isEmpty()) {
        Messages::Show(UnplayableMessage(wavPath, why));
        return Result::Unplayable;
    }
    CSpellingListDB& list = *doc.List();
    CListTransaction transaction(list);
    if (!transaction.IsActive())
        return Result::NotStored;
    const std::optional<int> order = list.NextOrder();
    if (!order || !list.AppendWord(*order, doc.CurrentUser(), word, sound) || !transaction.Commit())
        return Result::NotStored;
    return Result::Stored;
}
