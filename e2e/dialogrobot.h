#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal windows of the whole program the way a person at the screen would, while
// the program runs its own modal loops. Every few milliseconds it looks at
// QApplication::activeModalWidget():
// - a message box is noted as "message: <text>" and closed with its OK button;
// - a dialog of the class the next expectation names is noted as "dialog: <title>" and handed
//   to that expectation's answer, which fills it in and presses its buttons;
// - a window of a class it was told to leave alone (one that only says "please wait" and
//   closes by itself) is left alone and not noted, since whether it is seen at all depends on
//   how long it shows;
// - anything else is noted as "unexpected: <class> \"<title>\"" and rejected, so that the
//   program never hangs on a window the story did not foresee.
// Answers and clicks run as posted calls, not inside the robot's timer, so that a window they
// open can be answered in turn. A window that is still open 20 seconds after it was answered
// is noted as "still open: <class> \"<title>\"" and rejected.
class CDialogRobot : public QObject
{
    Q_OBJECT
public:
    explicit CDialogRobot(QObject* parent = nullptr);
    ~CDialogRobot() override;

    // The next modal dialog that is not a message box must be a T; answer fills it in.
    template <class T>
    void Expect(std::function<void(T*)> answer)
    {
        m_expected.append({&T::staticMetaObject, [answer = std::move(answer)](QWidget* dialog) {
                               if (T* typed = qobject_cast<T*>(dialog))
                                   answer(typed);
                           }});
    }

    // Windows of class T are left alone.
    template <class T>
    void LeaveAlone()
    {
        m_leftAlone.append(&T::staticMetaObject);
    }

    // Everything noted since the last call, in the order it appeared.
    QStringList TakeSeen();
    // Expectations not met yet.
    int Pending() const { return int(m_expected.size()); }
    // Forgets the expectations not met (a step that failed must not answer for the next one).
    void ClearExpectations() { m_expected.clear(); }

private:
    struct SExpectation {
        const QMetaObject* type;
        std::function<void(QWidget*)> answer;
    };

    void Look();
    void Note(const QString& text) { m_seen.append(text); }

    QTimer m_timer;
    QList<SExpectation> m_expected;
    QList<const QMetaObject*> m_leftAlone;
    QStringList m_seen;
    QPointer<QWidget> m_pHandled;
    QElapsedTimer m_handledSince;
};
