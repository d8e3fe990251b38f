#include "DialogSupport.h"

#include <QMessageBox>
#include <QTest>

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

Message TypeAndLeave(QLineEdit* field, const QString& text, QWidget* next) {
    ShowActive(field->window());
    Message said;
    const OnNextDialog<QMessageBox> answer([&](QMessageBox* box) {
        said = {box->text(), box->windowTitle(), box->icon() == QMessageBox::Warning};
        box->accept();
    });
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    next->setFocus();
    QTest::qWait(50);
    return said;
}

void ExpectFrameFollowsItsBox(QWidget* frame, QAbstractButton* box, const int& setting) {
    const auto inside = frame->findChildren<QWidget*>();
    ASSERT_GT(inside.size(), 2);
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on ? "ticked again" : "unticked");
        box->click();
        EXPECT_EQ(setting, on ? 1 : 0);
        EXPECT_TRUE(box->isEnabled());
        for (const QWidget* control : inside)
            if (control != box) {
                EXPECT_EQ(control->isEnabled(), on) << control->objectName().toStdString();
            }
    }
}

double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB888), y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::abs(int(p[i]) - int(q[i]));
    }
    return sum / (double(x.width()) * x.height() * 3);
}
