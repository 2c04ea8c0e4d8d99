#pragma once

#include <QString>
#include <QStringList>

class CAppSettings;

// The folders Orthex works in, and the application's user folder (where the user information
// file and the result files live). Defaults are worked out on each read and never written back.
class CAppFolders
{
public:
    explicit CAppFolders(CAppSettings& settings);

    // The shared documents folder: ORTHEX_SHARED_DOCUMENTS when set, the Public Documents on
    // Windows, otherwise the user's documents folder. Empty when none can be had.
    static QString SharedDocumentsFolder();
    // The user's personal documents folder; empty when it cannot be had.
    static QString PersonalDocumentsFolder();

    // "DefaultUserFolder", or shared documents + "/Orthex" (created) when that is empty.
    QString GetDefaultUserFolder() const;
    // Writes "DefaultUserFolder"; on success the user folder becomes that path.
    bool SetDefaultUserFolder(const QString& path);
    // "SaveFolder", or personal documents + "/Orthex" (created) when that is empty.
    QString GetSaveFolder() const;
    // Writes "SaveFolder" only; the user folder stays as it is.
    bool SetSaveFolder(const QString& path);
    // Shared documents + "/Orthex/", ending in "/"; the temporary folder's "Orthex/" when the
    // documents folder cannot be had. Creates nothing.
    static QString GetRecordingFolder();
    // The folders where an administrator keeps what overrides the user folder (the teacher
    // password): the platform's own ("/etc/orthex"; the ProgramData folder's "Orthex" on
    // Windows) first, then ORTHEX_SYSTEM_CONFIG_DIR when set. The environment can add a place,
    // never hide the platform's, so an account cannot turn the administrator's setting off.
    static QStringList SystemConfigFolders();

    QString GetAutoLogInName() const;
    bool SetAutoLogInName(const QString& name);

    // The application's user folder: set at start from GetDefaultUserFolder().
    QString UserFolder() const { return m_strUserFolder; }
    void SetUserFolder(const QString& path) { m_strUserFolder = path; }

    // Creates every missing level of a folder path, skipping its root ("C:\" on Windows, "/"
    // elsewhere). Returns whether the last level exists or was created; a failed level does not
    // stop the walk. A path that is only a root creates nothing and returns false.
    static bool CreateFolderPath(const QString& path);

    // Gives a file or folder that Orthex just created the group and others write permission of
    // the folder it lies in, so that every account of a classroom computer can use a shared
    // user folder. Only for what Orthex keeps there and in the recording folder; a person's own
    // document (a spelling list) keeps the mode every new file gets, so that in a folder
    // everybody may write no other account can change it.
    static void ShareLikeParent(const QString& path);

private:
    CAppSettings& m_settings;
    QString m_strUserFolder;
};
