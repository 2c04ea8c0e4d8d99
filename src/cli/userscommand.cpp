// orthex-cli users: prints the user names of a user folder, one a line, in file order, escaped
// as in the TSV tables.

#include "cli/clicommand.h"
#include "base/archive.h"
#include "base/boundedfile.h"
#include "base/exclusivefile.h"
#include "base/tablewriter.h"
#include "users/resultfiles.h"
#include "users/userfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr const char* kUsage = "users --folder DIR";
// Another copy of Orthex holds the user information file; the command does not wait for it.
constexpr int kInUse = 3;

int RunUsers(const QStringList& args)
{
    if (args.size() != 2 || args.at(0) != QLatin1String("--folder") || args.at(1).isEmpty())
        return Cli::Usage(kUsage);
    const QString folder = QDir::fromNativeSeparators(args.at(1));
    if (!QFileInfo(folder).isDir()) {
        Cli::Err() << "orthex-cli: no such folder: " << args.at(1) << "\n";
        return Cli::kFailed;
    }
    const QString path = CUserFile::PathIn(folder);
    const QString shownPath = QDir::toNativeSeparators(path);
    // The file is held with a read lock, so a copy of Orthex never writes it while it is read,
    // and it is read also where the user may not write it; a missing file means no users, and
    // reading never creates one.
    CExclusiveFile file;
    switch (file.TryOpenForReading(path)) {
    case CExclusiveFile::EOpen::Opened:
        break;
    case CExclusiveFile::EOpen::Missing:
        return Cli::kOk;
    case CExclusiveFile::EOpen::Locked:
        Cli::Err() << "orthex-cli: the user information file " << shownPath
                   << " is in use by another copy of Orthex; try again when its log-in or password dialog is closed.\n";
        return kInUse;
    case CExclusiveFile::EOpen::Failed:
        Cli::Err() << "orthex-cli: cannot open " << shownPath << ": " << file.ErrorString() << "\n";
        return Cli::kFailed;
    }
    if (file.Size() > CResultFiles::kMaxFileBytes) {
        Cli::Err() << "orthex-cli: " << shownPath << " is damaged ("
                   << BoundedFile::TooLargeText(CResultFiles::kMaxFileBytes) << "); it is not read.\n";
        return Cli::kFailed;
    }
    QByteArray bytes;
    if (!file.ReadAll(bytes, CResultFiles::kMaxFileBytes)) {
        Cli::Err() << "orthex-cli: cannot read " << shownPath << ": " << file.ErrorString() << "\n";
        return Cli::kFailed;
    }
    file.Close();
    CRecordList<CUser> users;
    QString damage;
    if (!bytes.isEmpty()) {
        try {
            CUserFile::Load(bytes, users);
        } catch (const CArchiveException& e) {
            damage = e.Text();
        }
    }
    // Escaped as in the TSV tables, so that a name can neither drive the terminal nor pass for
    // two users.
    for (const CUser& user : users)
        Cli::Out() << CTableWriter::EscapeTsv(user.GetName()) << "\n";
    if (!damage.isEmpty()) {
        Cli::Out().flush();
        Cli::Err() << "orthex-cli: " << shownPath << " is damaged (" << damage
                   << "); the names above were read before the damage.\n";
        return Cli::kFailed;
    }
    return Cli::kOk;
}

}  // namespace

ORTHEX_CLI_COMMAND("users", kUsage, &RunUsers);
