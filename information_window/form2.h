// The information box: a courtesy note, the authors' contact line, and "Aceptar".
#pragma once

#include <QDialog>

class QKeyEvent;

class Form2 : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(Form2)

public:
    explicit Form2(QWidget* parent = nullptr);

protected:
    // Escape alone does not close the box: only "Aceptar" and the close box do.
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void createLabels();
    void createButton();
    void Command1_Click();
};
