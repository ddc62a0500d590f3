#pragma once
#include "mrz/TMrzCozucu.h"

#include <QDialog>
#include <QVariantMap>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// "Kimlik/Pasaport Oku": a small window with a monospace box for the machine-readable zone of
// a passport or identity card, typed by hand or sent by a desk reader (lines separated by
// Enter). It reads the zone as it is typed and shows what it found or which check failed;
// "Aktar" (or Ctrl+Enter) closes it with the fields for the entry window.
class TFormMrzOku : public QDialog {
    Q_OBJECT
public:
    explicit TFormMrzOku(QWidget *parent = nullptr);

    // The fields of the zone read last; empty unless it passed its checks.
    QVariantMap alanlar() const { return m_alanlar; }
    QPlainTextEdit *memMrz() const { return m_zone; }
    QLabel *lblSonuc() const { return m_result; }
    QPushButton *btnAktar() const { return m_accept; }

    // Starts again with an empty box.
    void temizle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readZone();
    static QString summary(const QVariantMap &fields);

    QPlainTextEdit *m_zone = nullptr;
    QLabel *m_result = nullptr;
    QPushButton *m_accept = nullptr;
    TMrzCozucu m_cozucu;
    QVariantMap m_alanlar;
};
