#include "DialogSupport.h"

#include <QMessageBox>
#include <QTest>

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

QString TypeAndLeave(QLineEdit* field, const QString& text, QWidget* next) {
    ShowActive(field->window());
    QString said;
    const OnNextDialog<QMessageBox> answer([&](QMessageBox* box) {
        said = box->text();
        box->accept();
    });
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    next->setFocus(); // the field is checked, and a message box shown and answered, in here
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a message box left open";
    return said;
}

void ExpectFrameFollowsItsBox(QWidget* frame, QAbstractButton* box, const int& setting) {
    const auto inside = frame->findChildren<QWidget*>();
    ASSERT_GT(inside.size(), 2);
    for (const bool on : {false, true}) {
        box->click();
        EXPECT_EQ(setting, on ? 1 : 0);
        for (const QWidget* control : inside)
            EXPECT_EQ(control->isEnabled(), on || control == box) << control->objectName().toStdString();
    }
}

double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB888), y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::abs(int(x.constScanLine(row)[i]) - int(y.constScanLine(row)[i]));
    return sum / (double(x.width()) * x.height() * 3);
}
