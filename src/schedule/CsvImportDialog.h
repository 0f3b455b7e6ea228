#pragma once
// Import CSV's review: before anything is imported, the lines that cannot be read are listed
// with their line numbers and reasons; the user imports the good lines or cancels.

#include <QDialog>

#include "CsvImport.h"

class QPushButton;

namespace bpd::schedule {

class CsvImportDialog : public QDialog {
    Q_OBJECT
public:
    // fileName: as the user knows it; units: the schedule's, in which the values are read.
    CsvImportDialog(const designfile::CsvImport& import, const QString& fileName, UnitSystem units,
                    QWidget* parent = nullptr);

    QPushButton* importButton() const { return import_; }

private:
    QPushButton* import_;
};

}  // namespace bpd::schedule
