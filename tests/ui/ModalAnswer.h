#pragma once

// Answers the next modal dialog the code under test opens, as a user would:
// a timer watches for the dialog and hands it to the test's answer.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace rollpath::testing {

inline constexpr int kModalPollMs = 10;
inline constexpr int kModalWaitMs = 5000;

// Calls `answer` once with the next modal widget of type T (T is a QWidget
// type). Gives up after a few seconds so that a dialog that never opens
// fails the test's own checks rather than hanging it.
template <typename T>
void AnswerNextModal(std::function<void(T*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setObjectName(QStringLiteral("modal-answer"));
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, answer = std::move(answer)] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr && ++*ticks * kModalPollMs < kModalWaitMs) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (dialog != nullptr) {
            answer(dialog);
        }
    });
    timer->start(kModalPollMs);
}

// Drops the answers still waiting (call in a test's cleanup, so that no
// answer outlives its test).
inline void CancelPendingAnswers() {
    for (QTimer* timer :
         qApp->findChildren<QTimer*>(QStringLiteral("modal-answer"), Qt::FindDirectChildrenOnly)) {
        timer->stop();
        delete timer;
    }
}

// Whether an answer is still waiting for its dialog.
inline bool AnswersPending() {
    const auto timers =
        qApp->findChildren<QTimer*>(QStringLiteral("modal-answer"), Qt::FindDirectChildrenOnly);
    return std::any_of(timers.begin(), timers.end(), [](const QTimer* t) { return t->isActive(); });
}

// Clicks a standard button of the next message box; its text is stored in
// `text` (when given).
inline void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    AnswerNextModal<QMessageBox>([button, text](QMessageBox* box) {
        if (text != nullptr) {
            *text = box->text();
        }
        if (QAbstractButton* b = box->button(button)) {
            b->click();
        } else {
            box->close();
        }
    });
}

}  // namespace rollpath::testing
