// Reads the bytes of a user information file (Orthex.lgn) into the list of users, as the log-in
// and change-password dialogs and orthex-cli do.
//
// Properties: reading never crashes or allocates far beyond the input; the users read (those
// before damage included) are written back, scrambled, within a small multiple of the input's
// size, and read again as exactly the same users.

#include "fuzzcheck.h"
#include "base/archive.h"
#include "users/user.h"
#include "users/userfile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CRecordList<CUser> users;
    QString error;
    try {
        CUserFile::Load(bytes, users);
    } catch (const CArchiveException& e) {
        FUZZ_CHECK(e.Offset() >= 0 && e.Offset() <= bytes.size());
        error = e.Text();
    }
    // ORTHEX_FUZZ_VERBOSE=1 tells, for each input, what was read.
    static const bool verbose = std::getenv("ORTHEX_FUZZ_VERBOSE") != nullptr;
    if (verbose) {
        std::fprintf(stderr, "%lld users%s%s\n", static_cast<long long>(users.size()), error.isEmpty() ? "" : ", then ",
                     qPrintable(error));
        for (const CUser& user : users)
            std::fprintf(stderr, "  %s\n", qPrintable(user.GetName()));
    }
    const QByteArray stored = CUserFile::Store(users);
    // Written again, the users take at most a small multiple of the bytes they were read from.
    FUZZ_CHECK(stored.size() <= 6 * bytes.size() + 16);
    CRecordList<CUser> again;
    try {
        CUserFile::Load(stored, again);
    } catch (const CArchiveException&) {
        FUZZ_CHECK(!"the writer's own output could not be read");
    }
    FUZZ_CHECK(users.size() == again.size());
    for (qsizetype i = 0; i < users.size(); ++i)
        FUZZ_CHECK(users.at(i) == again.at(i));
    return 0;
}
