#pragma once
// The save dialog of the tests: no dialog, the answer a test sets (empty: the user
// cancelled), each question kept for the test to read.

#include <QList>
#include <QString>

#include "FileNameChooser.h"

namespace bpd::testing {

class FakeFileChooser : public platform::FileNameChooser {
public:
    struct Question {
        QString caption, suggestedPath, filter;
    };

    QString answer;
    QList<Question> questions;

    QString saveFileName(QWidget*, const QString& caption, const QString& suggestedPath,
                         const QString& filter) override {
        questions.append({caption, suggestedPath, filter});
        return answer;
    }
};

}  // namespace bpd::testing
