#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

namespace {
CTestEnvironment* g_instance = nullptr;

void setEnv(const char* name, const QString& value)
{
    qputenv(name, value.toLocal8Bit());
}
}  // namespace

CTestEnvironment::CTestEnvironment()
    : m_dir(std::make_unique<QTemporaryDir>())
{
    if (!m_dir->isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder for the test\n");
        std::abort();
    }
    QDir root(m_dir->path());
    for (const char* sub : {"home", "home/Documents", "config", "data", "cache", "runtime", "shared"})
        root.mkpath(QString::fromLatin1(sub));
    setEnv("HOME", Home());
    setEnv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")));
    setEnv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")));
    setEnv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")));
    setEnv("XDG_DOCUMENTS_DIR", Documents());
    setEnv("ORTHEX_SHARED_DOCUMENTS", SharedDocuments());
    // A teacher password of the developer's own is no test's business; tests that want one set it.
    qunsetenv("ORTHEX_SYSTEM_CONFIG_DIR");
    // The audio tests run inside their own daemon, which owns XDG_RUNTIME_DIR; keep theirs.
    if (qEnvironmentVariableIsEmpty("ORTHEX_TEST_AUDIO")) {
        QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setEnv("XDG_RUNTIME_DIR", root.filePath(QStringLiteral("runtime")));
    }
    QStandardPaths::setTestModeEnabled(false);
    g_instance = this;
}

CTestEnvironment::~CTestEnvironment()
{
    g_instance = nullptr;
}

CTestEnvironment& CTestEnvironment::Instance()
{
    if (!g_instance) {
        std::fprintf(stderr, "CTestEnvironment used outside ORTHEX_TEST_MAIN\n");
        std::abort();
    }
    return *g_instance;
}

QString CTestEnvironment::Root() const { return m_dir->path(); }
QString CTestEnvironment::Home() const { return m_dir->path() + QStringLiteral("/home"); }
QString CTestEnvironment::SharedDocuments() const { return m_dir->path() + QStringLiteral("/shared"); }
QString CTestEnvironment::Documents() const { return Home() + QStringLiteral("/Documents"); }
