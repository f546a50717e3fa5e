#include "runtime/error_message.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QShortcut>

namespace runtime {

void showErrorMessage(std::string_view title, const RuntimeError& error) {
    const QString text = QString("Error %1: %2")
                             .arg(error.number())
                             .arg(QString::fromStdString(error.description()));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QObject::connect(new QShortcut(QKeySequence::Copy, &box), &QShortcut::activated,
                     [&text] { QGuiApplication::clipboard()->setText(text); });
    box.exec();
}

} // namespace runtime
