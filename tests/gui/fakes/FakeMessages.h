#pragma once
// The message boxes of the tests: nothing is shown, each call is kept for the test to read,
// and every question gets the answer the test set.

#include <QList>
#include <QString>
#include <QStringList>

#include "MessageService.h"

namespace bpd::testing {

class FakeMessages : public platform::MessageService {
public:
    struct Call {
        QString kind, title, text;
    };
    QList<Call> calls;
    bool answerYes = false;                      // the answer to every question
    SaveChoice saveAnswer = SaveChoice::Cancel;  // the answer to every Save/Discard/Cancel

    void warning(QWidget*, const QString& title, const QString& text) override {
        calls.append({QStringLiteral("warning"), title, text});
    }
    void information(QWidget*, const QString& title, const QString& text) override {
        calls.append({QStringLiteral("information"), title, text});
    }
    bool question(QWidget*, const QString& title, const QString& text) override {
        calls.append({QStringLiteral("question"), title, text});
        return answerYes;
    }
    SaveChoice askToSave(QWidget*, const QString& title, const QString& text) override {
        calls.append({QStringLiteral("askToSave"), title, text});
        return saveAnswer;
    }
    QStringList texts() const {
        QStringList out;
        for (const Call& c : calls) out << c.text;
        return out;
    }
};

}  // namespace bpd::testing
