#pragma once

#include "lists/wordfile.h"
#include "lists/wordimport.h"

#include <QDialog>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class COrthexDoc;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;

// "Import Words...": words pasted into the box or read from a file ("From File..."), one a line
// with an optional sentence after a tab, or CSV. What cannot be imported is listed with its
// line number as the text changes. "Import" speaks the words in the background, with a progress
// bar and Cancel, into a temporary store (one recording in memory at a time), and then stores
// them at the end of the open list in one transaction.
class CImportWordsDlg : public QDialog
{
    Q_OBJECT
public:
    // listed: the words the list has now; they are not imported again.
    CImportWordsDlg(COrthexDoc& doc, QStringList listed, QWidget* parent = nullptr);
    ~CImportWordsDlg() override;

    // Which file "From File..." reads; an empty path reads none. A file dialog unless a test
    // puts its own here.
    using FilePicker = std::function<QString(QWidget* parent)>;
    void SetFilePicker(FilePicker picker) { m_pickFile = std::move(picker); }

    // Reads a word file into the box; false (after the message) when it cannot be read or is
    // not UTF-8 text.
    bool LoadFile(const QString& path);

    QStringList ProblemTexts() const;
    bool IsImporting() const { return m_thread != nullptr; }
    // The words stored by the import, in their order (none before it ends).
    const QStringList& Stored() const { return m_stored; }

    void reject() override;

Q_SIGNALS:
    // The import ended: stored, cancelled or refused by the file.
    void ImportEnded();

private:
    void Reparse();
    void OnFromFile();
    void OnImport();
    void OnSpoken();
    void SetImporting(bool importing);

    COrthexDoc& m_doc;
    const QStringList m_listed;
    WordFile::EFormat m_format = WordFile::EFormat::Guess;
    WordFile::SResult m_parsed;
    FilePicker m_pickFile;
    QStringList m_stored;

    std::atomic_bool m_cancel{false};
    std::unique_ptr<QThread> m_thread;
    std::optional<WordImport::SSpeech> m_speech;  // written by the thread before it ends

    QPlainTextEdit* m_pText = nullptr;
    QPushButton* m_pFromFile = nullptr;
    QLabel* m_pStatus = nullptr;
    QListWidget* m_pProblems = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QPushButton* m_pImport = nullptr;
    QPushButton* m_pCancel = nullptr;
};
