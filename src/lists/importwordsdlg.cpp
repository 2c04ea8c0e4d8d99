#include "lists/importwordsdlg.h"

#include "widgets/dialogunits.h"
#include "widgets/pagecontrols.h"

#include "base/boundedfile.h"
#include "base/messages.h"
#include "document/orthexdoc.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringDecoder>
#include <QThread>
#include <QVBoxLayout>

namespace {
// As much as orthex-cli reads from a word file: far more than any list needs.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
}  // namespace

CImportWordsDlg::CImportWordsDlg(COrthexDoc& doc, QStringList listed, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_listed(std::move(listed))
{
    setObjectName(QStringLiteral("importWordsDialog"));
    setWindowTitle(tr("Import Words"));
    auto* intro = new QLabel(tr("Paste the words, one a line (a tab, then a sentence to say it in, is optional), "
                                "or a CSV file's rows (the word, then the sentence):"),
                             this);
    intro->setWordWrap(true);
    m_pText = new QPlainTextEdit(this);
    m_pText->setObjectName(QStringLiteral("wordsEdit"));
    m_pText->setAccessibleName(tr("Words"));
    m_pText->setTabChangesFocus(false);
    intro->setBuddy(m_pText);
    m_pFromFile = new QPushButton(tr("From File..."), this);
    m_pFromFile->setObjectName(QStringLiteral("fromFileButton"));
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("statusLabel"));
    m_pProblems = new QListWidget(this);
    m_pProblems->setObjectName(QStringLiteral("problemList"));
    m_pProblems->setAccessibleName(tr("Lines not imported"));
    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("progressBar"));
    m_pProgress->hide();

    auto* buttons = new QDialogButtonBox(this);
    m_pImport = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    m_pImport->setObjectName(QStringLiteral("importButton"));
    m_pCancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_pCancel->setObjectName(QStringLiteral("cancelButton"));

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_pFromFile);
    fileRow->addWidget(m_pStatus, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_pText, 2);
    layout->addLayout(fileRow);
    layout->addWidget(m_pProblems, 1);
    layout->addWidget(m_pProgress);
    layout->addWidget(buttons);
    PageControls::HoldWrappedText(intro, CDialogUnits(font()).X(200));
    resize(520, 460);

    m_pickFile = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, tr("Import Words"), QString(),
                                            tr("Word files (*.txt *.csv);;All files (*)"));
    };
    connect(m_pText, &QPlainTextEdit::textChanged, this, [this] {
        // Typed or pasted text is read by what it holds, whatever file was read before.
        if (!m_pText->signalsBlocked())
            m_format = WordFile::EFormat::Guess;
        Reparse();
    });
    connect(m_pFromFile, &QPushButton::clicked, this, &CImportWordsDlg::OnFromFile);
    connect(m_pImport, &QPushButton::clicked, this, &CImportWordsDlg::OnImport);
    connect(m_pCancel, &QPushButton::clicked, this, &CImportWordsDlg::reject);
    Reparse();
}

CImportWordsDlg::~CImportWordsDlg()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
    }
}

QStringList CImportWordsDlg::ProblemTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_pProblems->count(); ++i)
        texts << m_pProblems->item(i)->text();
    return texts;
}

void CImportWordsDlg::Reparse()
{
    m_parsed = WordFile::Parse(m_pText->toPlainText(), m_format);
    WordImport::LeaveOutListed(m_parsed, m_listed);
    m_pProblems->clear();
    for (const WordFile::SProblem& problem : m_parsed.problems)
        m_pProblems->addItem(WordFile::Describe(problem));
    const int count = int(m_parsed.entries.size());
    m_pStatus->setText(count == 1 ? tr("1 word to import") : tr("%1 words to import").arg(count));
    m_pImport->setEnabled(count > 0 && !IsImporting());
}

bool CImportWordsDlg::LoadFile(const QString& path)
{
    QFile file;
    if (QString why; !BoundedFile::Open(file, path, &why)) {
        Messages::Show(tr("\"%1\" could not be read: %2").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        Messages::Show(tr("\"%1\" is larger than 16 MB, the most a word file may hold.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError()) {
        // Which lines: the parser says so by number.
        QStringList lines;
        for (const WordFile::SProblem& problem : WordFile::Parse(bytes, WordFile::EFormat::Lines).problems)
            if (problem.kind == WordFile::SProblem::EKind::NotText)
                lines << QString::number(problem.line);
        Messages::Show(tr("\"%1\" is not UTF-8 text (line %2). Please save it as UTF-8 and import it again.")
                           .arg(QDir::toNativeSeparators(path), lines.join(QStringLiteral(", "))));
        return false;
    }
    m_format = WordFile::FormatOfName(path);
    m_pText->blockSignals(true);
    m_pText->setPlainText(text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text);
    m_pText->blockSignals(false);
    Reparse();
    return true;
}

void CImportWordsDlg::OnFromFile()
{
    const QString path = m_pickFile ? m_pickFile(this) : QString();
    if (!path.isEmpty())
        LoadFile(path);
}

void CImportWordsDlg::SetImporting(bool importing)
{
    m_pText->setReadOnly(importing);
    m_pFromFile->setEnabled(!importing);
    m_pProgress->setVisible(importing);
    m_pImport->setEnabled(!importing && !m_parsed.entries.empty());
}

void CImportWordsDlg::OnImport()
{
    if (IsImporting() || m_parsed.entries.empty())
        return;
    m_cancel = false;
    m_speech.reset();
    m_pProgress->setRange(0, int(m_parsed.entries.size()));
    m_pProgress->setValue(0);
    const std::vector<WordFile::SEntry> entries = m_parsed.entries;
    m_thread.reset(QThread::create([this, entries] {
        m_speech = WordImport::Speak(entries, m_cancel, [this](int done) {
            QMetaObject::invokeMethod(m_pProgress, [bar = m_pProgress, done] { bar->setValue(done); },
                                      Qt::QueuedConnection);
        });
    }));
    connect(m_thread.get(), &QThread::finished, this, &CImportWordsDlg::OnSpoken, Qt::QueuedConnection);
    SetImporting(true);
    m_thread->start();
}

void CImportWordsDlg::OnSpoken()
{
    m_thread->wait();
    m_thread.reset();
    SetImporting(false);
    WordImport::SSpeech speech = m_speech ? std::move(*m_speech) : WordImport::SSpeech{};
    m_speech.reset();
    // Cancel pressed while the last word was spoken still cancels.
    if (speech.cancelled || m_cancel) {
        m_pStatus->setText(tr("Import cancelled; no word was added."));
        emit ImportEnded();
        return;
    }
    if (speech.notKept) {
        m_pStatus->setText(tr("The spoken words could not be kept; none was added."));
        emit ImportEnded();
        return;
    }
    if (!WordImport::Store(m_doc, *speech.spoken)) {
        m_pStatus->setText(tr("The list file refused the words; none was added."));
        emit ImportEnded();
        return;
    }
    m_stored = speech.spoken->words();
    speech.spoken.reset();  // its temporary file goes at once
    emit ImportEnded();
    if (speech.failed.empty()) {
        accept();
        return;
    }
    // The words spoken are in the list; the ones that were not stay listed with their lines.
    for (const WordFile::SProblem& problem : speech.failed)
        m_pProblems->addItem(WordFile::Describe(problem));
    m_pStatus->setText(tr("%1 words added.").arg(m_stored.size()));
    m_pText->setReadOnly(true);
    m_pFromFile->setEnabled(false);
    m_pImport->setEnabled(false);
    m_pCancel->setText(tr("Close"));
}

void CImportWordsDlg::reject()
{
    // Cancel while speaking stops the speech; nothing is stored.
    if (IsImporting()) {
        m_cancel = true;
        return;
    }
    if (m_stored.empty())
        QDialog::reject();
    else
        accept();
}
