// Reads one result file's bytes as each of the three result lists (grades .sp3, misspelled
// words .sp4, vocabulary .sp5), as the program does when a user logs in.
//
// Properties: reading never crashes or allocates far beyond the input; whatever was read (the
// records before damage included) is written back, within a small multiple of the input's size,
// and read again into exactly the same records.

#include "fuzzcheck.h"
#include "base/archive.h"
#include "storage/records.h"
#include "users/resultfiles.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

template <class T>
bool SameRecords(const CRecordList<T>& a, const CRecordList<T>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!(a.at(i) == b.at(i)))
            return false;
    }
    return true;
}

// ORTHEX_FUZZ_VERBOSE=1 tells, for each input, what each list read.
const bool g_bVerbose = std::getenv("ORTHEX_FUZZ_VERBOSE") != nullptr;

template <class T>
void ReadAndRoundTrip(const QByteArray& bytes)
{
    CRecordList<T> list;
    QString error;
    try {
        CResultFiles::Load(bytes, list);
    } catch (const CArchiveException& e) {
        FUZZ_CHECK(e.Offset() >= 0 && e.Offset() <= bytes.size());
        error = e.Text();
    }
    if (g_bVerbose)
        std::fprintf(stderr, "%s: %lld records%s%s\n", T::kClassName, static_cast<long long>(list.size()),
                     error.isEmpty() ? "" : ", then ", qPrintable(error));
    const QByteArray stored = CResultFiles::Store(list);
    // Written again, a list takes at most a small multiple of the bytes it was read from (8-bit
    // and empty texts grow when written in UTF-16 form; repeated records are bounded by the reader).
    FUZZ_CHECK(stored.size() <= 6 * bytes.size() + 16);
    CRecordList<T> again;
    try {
        CResultFiles::Load(stored, again);
    } catch (const CArchiveException&) {
        FUZZ_CHECK(!"the writer's own output could not be read");
    }
    FUZZ_CHECK(SameRecords(list, again));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ReadAndRoundTrip<CGrade>(bytes);
    ReadAndRoundTrip<CMissed>(bytes);
    ReadAndRoundTrip<CVocabulary>(bytes);
    return 0;
}
