#pragma once

// Support for the tests of the test engine and the test page: a real list file with words and
// recordings, and a document logged in as a given user.

#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "testing/testenvironment.h"
#include "testing/testlists.h"
#include "testing/testwav.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <memory>

namespace TestSupport {

// Logs in the one name it is given (none: nobody); keeps no result files, but counts the
// writes that would have reached them (when given a counter).
class CFixedUserSession : public IUserSession
{
public:
    explicit CFixedUserSession(QString user, int* saves = nullptr) : m_user(std::move(user)), m_saves(saves) {}
    QString LogInAtStart() override { return m_user; }
    QString LogInAgain() override { return m_user; }
    bool LoadResults(COrthexDoc&) override { return true; }
    bool SaveResults(COrthexDoc& doc) override
    {
        if (m_saves && !doc.CurrentUser().isEmpty() && doc.Results().IsChanged())
            ++*m_saves;
        return true;
    }

private:
    QString m_user;
    int* m_saves;
};

// The recording stored for a word in these tests: a WAV file that names the word.
inline QByteArray RecordingOf(const QString& word)
{
    QByteArray pcm = word.toUtf8();
    if (pcm.size() & 1)
        pcm += '\0';
    return TestWav::Pcm16(pcm);
}

// A fresh folder under the test's temporary folder; it ends in "/".
inline QString NewFolder(const QString& name)
{
    const QString path = QDir(CTestEnvironment::Instance().Root()).filePath(name);
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path + QLatin1Char('/');
}

// Makes a list file holding the words in order, each with RecordingOf(word) (or the recordings
// given), and returns its path; empty when it could not be made.
inline QString MakeList(const QString& name, const QStringList& words, const QList<QByteArray>& recordings = {})
{
    QList<QPair<QString, QByteArray>> recorded;
    for (qsizetype i = 0; i < words.size(); ++i)
        recorded.append({words.at(i), i < recordings.size() ? recordings.at(i) : RecordingOf(words.at(i))});
    return TestLists::MakeInRoot(name, TestLists::WithSounds(recorded, QStringLiteral("Teacher")));
}

// A document logged in as `user` (nobody when empty) with the list at `path` open (none when
// empty), titled with the file's name. Its session counts its result writes in *saves.
inline std::unique_ptr<COrthexDoc> MakeDocument(const QString& user, const QString& path, int* saves = nullptr)
{
    auto doc = std::make_unique<COrthexDoc>(std::make_unique<CFixedUserSession>(user, saves));
    if (!path.isEmpty() && doc->OpenList(path)) {
        doc->SetPathName(path);
        doc->SetTitle(QFileInfo(path).fileName());
    }
    return doc;
}

}  // namespace TestSupport
