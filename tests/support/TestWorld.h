#pragma once
// A clean world for one test: its own settings and program folders, labelled
// pictures for the eighteen words, a recording speech engine, and message
// boxes answered from a queue instead of by a person.

#include "shell/MessageBox.h"
#include "support/RecordingEngine.h"

#include <QList>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>
#include <source_location>

class DesignForm;
class QImage;
class QWidget;

// The screen sizes of the school machines.
constexpr QSize SchoolScreens[] = {{1024, 768}, {1366, 768}, {1920, 1080}, {3840, 2160}};

class TestWorld {
public:
    TestWorld();
    ~TestWorld();

    RecordingEngine& engine;
    QList<MsgRequest> boxes;
    // Answers given to the boxes in turn; Yes when the queue is empty.
    QList<MsgResult> answers;

    QString configFolder() const { return root_.path() + "/config/ImpostazioniProgrammiZelbo"; }
    QString settingsFile() const { return configFolder() + "/programmiinglese.ini"; }
    QString readmeFile() const { return configFolder() + "/leggimi.txt"; }
    QString programFolder() const { return root_.path() + "/program"; }  // holds jpg/
    // Writes a labelled JPEG for every word, its hue 19 times the word's number.
    void writePictures() const;

    // Opens a screen through its slot and lets it be drawn, its pictures decoded.
    DesignForm* open(const QString& form);

    // What a mouth of a screen said, in order.
    QStringList saidBy(const DesignForm* form) const;

private:
    QTemporaryDir root_;
};

// The number of the word a picture of writePictures() shows, from its hue; 0 for any other picture.
int pictureWord(const QImage& picture);

// A screen's counts as shown, the correct one first: " 1 2".
QString counts(const QObject* form);

// A left click in the middle of a widget; the pictures it shows are decoded when it returns.
void click(QWidget* widget);

// A file's bytes, empty when it cannot be read.
QByteArray readFile(const QString& path);
// Writes a file, making its folder first.
void writeFile(const QString& path, const QByteArray& bytes);

// Boxes compare whole, so one check covers text, title, buttons and icon.
bool operator==(const MsgRequest& a, const MsgRequest& b);
char* toString(const MsgRequest& box);

// The widget named `name` on a screen. When it is missing the test fails, and a
// stand-in that goes with the screen lets the test reach its end without a crash.
template <class Widget>
Widget* control(const QObject* form, const QString& name, std::source_location at = std::source_location::current())
{
    if (Widget* found = form->findChild<Widget*>(name))
        return found;
    QTest::qFail(qPrintable("no control " + name + " on " + form->objectName()), at.file_name(), int(at.line()));
    auto* standIn = new Widget;
    QObject::connect(form, &QObject::destroyed, [standIn] { delete standIn; });
    return standIn;
}
