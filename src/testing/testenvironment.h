#pragma once

#include "sound/audiobackend.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <QTemporaryDir>

#include <memory>

// Points HOME, the XDG folders and the shared documents folder at a fresh temporary folder,
// so that no test ever reads or writes the real user's settings, documents or user folder.
// Made before the application object, by ORTHEX_TEST_MAIN.
class CTestEnvironment
{
public:
    CTestEnvironment();
    ~CTestEnvironment();

    static CTestEnvironment& Instance();

    QString Root() const;          // the temporary folder
    QString Home() const;          // HOME
    QString SharedDocuments() const;  // ORTHEX_SHARED_DOCUMENTS
    QString Documents() const;     // HOME/Documents, the personal documents folder

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Like QTEST_MAIN, but inside CTestEnvironment, with an application object that has widgets; the
// audio back end stops after the test object and before the application object.
#define ORTHEX_TEST_MAIN(TestObject)                                            \
    int main(int argc, char** argv)                                             \
    {                                                                           \
        CTestEnvironment environment;                                           \
        QApplication app(argc, argv);                                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                \
        const CAudioBackendScope audio;                                         \
        TestObject tc;                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                              \
        return QTest::qExec(&tc, argc, argv);                                   \
    }
