#include "reports/practicelistmaker.h"

#include "base/messages.h"
#include "storage/listappender.h"
#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "lists/wordspeaker.h"
#include "reports/practicelistwords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <optional>

namespace {
// A hidden file beside the target that the list is built in; removed, with its journal, unless
// it was renamed into place.
class CTemporaryListFile
{
public:
    explicit CTemporaryListFile(const QString& target)
    {
        const QFileInfo info(target);
        m_strPath = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
                    + QString::number(QRandomGenerator::global()->generate64(), 16) + QStringLiteral(".part");
    }
    ~CTemporaryListFile()
    {
        QFile::remove(m_strPath);
        QFile::remove(m_strPath + QStringLiteral("-journal"));
    }
    CTemporaryListFile(const CTemporaryListFile&) = delete;
    CTemporaryListFile& operator=(const CTemporaryListFile&) = delete;

    QString Path() const { return m_strPath; }

private:
    QString m_strPath;
};

// Why a new file cannot be made at the path, as the user can act on it.
QString whyNotWritable(const QString& target)
{
    const QFileInfo folder(QFileInfo(target).absolutePath());
    if (!folder.exists())
        return QStringLiteral("The folder \"%1\" does not exist.").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return QStringLiteral("\"%1\" is not a folder.").arg(QDir::toNativeSeparators(folder.filePath()));
    return QStringLiteral("A new file cannot be written in the folder \"%1\".")
        .arg(QDir::toNativeSeparators(folder.filePath()));
}

bool namesNoList(const QString& target)
{
    // The new-list dialog gives "" before a name is typed, and "folder/.orthex" for a name
    // typed and erased.
    const QString name = QFileInfo(target).fileName();
    return target.isEmpty() || name.isEmpty() || name.compare(QLatin1String(".orthex"), Qt::CaseInsensitive) == 0;
}
}  // namespace

CPracticeListMaker::CPracticeListMaker(const QString& saveFolder, const QStringList& recentFiles)
    : m_recordings(CPracticeListLocator(saveFolder, recentFiles))
{
}

QString CPracticeListMaker::NothingToMake(const PracticeSources& sources)
{
    const SPracticeWords words = PracticeListWords::Collect(sources);
    if (!words.IsEmpty())
        return QString();
    if (!words.tooLong.isEmpty())
        return PracticeListMessages::NoWordFits(CListDatabase::kMaxWordLength);
    return PracticeListMessages::NothingToPractise();
}

CPracticeListMaker::SResult CPracticeListMaker::Make(const PracticeSources& sources, const QString& targetPath,
                                                     const QString& creator)
{
    SResult result;
    if (const QString nothing = NothingToMake(sources); !nothing.isEmpty()) {
        Messages::Show(nothing, MessageIcon::Exclamation);
        return result;
    }
    if (namesNoList(targetPath)) {
        Messages::Show(PracticeListMessages::NoName(), MessageIcon::Exclamation);
        result.outcome = Outcome::NoName;
        return result;
    }
    const QFileInfo target(targetPath);
    if (target.exists() || target.isSymLink()) {
        Messages::Show(PracticeListMessages::AlreadyExists(targetPath), MessageIcon::Exclamation);
        result.outcome = Outcome::AlreadyExists;
        return result;
    }
    if (creator.size() > CListDatabase::kMaxCreatedByLength) {
        Messages::Show(ListMessages::CreatorTooLong(creator, CListDatabase::kMaxCreatedByLength),
                       MessageIcon::Exclamation);
        return result;
    }

    // The file is made first, so a folder that cannot be written is told before any speech.
    const CTemporaryListFile building(targetPath);
    if (!CListDatabase::Create(building.Path())) {
        Messages::Show(PracticeListMessages::CannotMake(targetPath, whyNotWritable(targetPath)),
                       MessageIcon::Exclamation);
        return result;
    }
    const SPracticeWords words = PracticeListWords::Collect(sources);
    SPracticeListCounts counts;
    counts.skipped = int(words.tooLong.size());
    {
        CListAppender list;
        if (!list.Open(building.Path())) {
            Messages::Show(PracticeListMessages::NotMade(targetPath), MessageIcon::Exclamation);
            return result;
        }
        if (!list.Begin()) {
            Messages::Show(PracticeListMessages::NotMade(targetPath), MessageIcon::Exclamation);
            return result;
        }
        std::optional<CWordSpeaker> speaker;  // started for the first word that needs it
        for (const SPracticeWord& word : words.words) {
            std::optional<QByteArray> sound = m_recordings.Find(word.listNames, word.word);
            const bool copied = sound.has_value();
            if (!copied) {
                if (!speaker)
                    speaker.emplace();
                sound = speaker->Speak(word.word);
                if (!sound) {
                    Messages::Show(PracticeListMessages::NotSpoken(word.word), MessageIcon::Exclamation);
                    return result;
                }
            }
            if (list.Append(creator, word.word, *sound) == 0) {
                Messages::Show(PracticeListMessages::NotMade(targetPath), MessageIcon::Exclamation);
                return result;
            }
            ++(copied ? counts.copied : counts.spoken);
        }
        if (!list.Commit()) {
            Messages::Show(PracticeListMessages::NotMade(targetPath), MessageIcon::Exclamation);
            return result;
        }
    }
    // The rename refuses to replace a file that appeared at the path meanwhile.
    if (!QFile::rename(building.Path(), targetPath)) {
        if (QFileInfo(targetPath).exists()) {
            Messages::Show(PracticeListMessages::AlreadyExists(targetPath), MessageIcon::Exclamation);
            result.outcome = Outcome::AlreadyExists;
        } else {
            Messages::Show(PracticeListMessages::CannotMake(targetPath, whyNotWritable(targetPath)),
                           MessageIcon::Exclamation);
        }
        return result;
    }
    result.outcome = Outcome::Made;
    result.counts = counts;
    return result;
}
