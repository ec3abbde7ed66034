#pragma once
// One measured figure of the benchmark and the JSON results file.

#include <QList>
#include <QString>

struct Figure {
    QString name;
    double value;  // the median
    QString unit;
    double min;
    double max;
    QString goal;  // e.g. "<= 150"
};

double median(QList<double> samples);
// The median, smallest and largest of the samples into a figure.
Figure summarise(const QString& name, QList<double> samples, const QString& unit, const QString& goal);

bool writeResults(const QString& path, const QList<Figure>& figures);
void printTable(const QList<Figure>& figures);
