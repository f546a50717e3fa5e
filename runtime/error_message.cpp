#include "error_message.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>

namespace runtime {

namespace {

class ErrorMessage : public QMessageBox {
    Q_OBJECT

public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(text());
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
};

} // namespace

void showErrorMessage(std::string_view title, const RuntimeError& error) {
    const QString text = QString("Error %1: %2")
                             .arg(error.number())
                             .arg(QString::fromStdString(error.description()));
    ErrorMessage box(QMessageBox::Critical, QString::fromUtf8(title), text, QMessageBox::Ok,
                     QApplication::activeWindow());
    box.setObjectName("runtimeError");
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

} // namespace runtime

#include "error_message.moc"
