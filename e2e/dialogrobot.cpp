#include "dialogrobot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

namespace {
constexpr int kLookEveryMs = 20;
constexpr int kGiveUpAfterMs = 20000;

void closeUnexpected(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}
}  // namespace

CDialogRobot::CDialogRobot(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(kLookEveryMs);
    connect(&m_timer, &QTimer::timeout, this, &CDialogRobot::Look);
    m_timer.start();
}

CDialogRobot::~CDialogRobot() = default;

QStringList CDialogRobot::TakeSeen()
{
    QStringList seen;
    seen.swap(m_seen);
    return seen;
}

void CDialogRobot::Look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    for (const QMetaObject* type : std::as_const(m_leftAlone))
        if (modal->metaObject()->inherits(type))
            return;
    if (modal == m_pHandled) {
        if (m_handledSince.elapsed() < kGiveUpAfterMs)
            return;
        Note(QStringLiteral("still open: %1 \"%2\"")
                 .arg(QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle()));
        m_pHandled = nullptr;
        closeUnexpected(modal);
        return;
    }
    m_pHandled = modal;
    m_handledSince.start();
    const QPointer<QWidget> target = modal;

    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        Note(QStringLiteral("message: ") + box->text());
        QMetaObject::invokeMethod(
            this,
            [target] {
                auto* box = qobject_cast<QMessageBox*>(target.data());
                if (!box)
                    return;
                if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                    QTest::mouseClick(ok, Qt::LeftButton);
                else
                    box->reject();
            },
            Qt::QueuedConnection);
        return;
    }

    if (!m_expected.isEmpty() && modal->metaObject()->inherits(m_expected.first().type)) {
        const SExpectation expectation = m_expected.takeFirst();
        Note(QStringLiteral("dialog: ") + modal->windowTitle());
        QMetaObject::invokeMethod(
            this,
            [target, answer = expectation.answer] {
                if (target)
                    answer(target.data());
            },
            Qt::QueuedConnection);
        return;
    }

    Note(QStringLiteral("unexpected: %1 \"%2\"")
             .arg(QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle()));
    QMetaObject::invokeMethod(
        this,
        [target] {
            if (target)
                closeUnexpected(target.data());
        },
        Qt::QueuedConnection);
}
