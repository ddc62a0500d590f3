#pragma once
#include <QString>

// The grid print of the guest list ("Tümü"): time from the print command until the modal
// preview stands with all its pages, beside the sqlite3 shell running the list's statement to
// the last row on the same file. Also writes the PDF of the list, its first page as a picture
// and a picture of the preview, to look at.
class PrintPreviewBenchmark {
public:
    struct Options {
        int rows = 10000;
        int runs = 3;
        QString folder = QStringLiteral("/tmp/selvane-printbench");
        QString shots; // folder for the PDF and the pictures; none when empty
    };

    static Options fromArguments(const QStringList &arguments);
    explicit PrintPreviewBenchmark(Options options) : m_options(std::move(options)) {}

    // Prints the figures as a Markdown table. Throws AppError on failure.
    void run();

private:
    QString prepareDatabase() const;

    Options m_options;
};
