#include "Figure.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

double median(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    return n == 0 ? 0 : (n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2);
}

Figure summarise(const QString& name, QList<double> samples, const QString& unit, const QString& goal)
{
    const auto [smallest, largest] = std::minmax_element(samples.cbegin(), samples.cend());
    const bool none = samples.isEmpty();
    return {name, median(samples), unit, none ? 0 : *smallest, none ? 0 : *largest, goal};
}

bool writeResults(const QString& path, const QList<Figure>& figures)
{
    QJsonArray list;
    for (const Figure& figure : figures)
        list.append(QJsonObject{{"name", figure.name}, {"value", figure.value}, {"unit", figure.unit},
                                {"min", figure.min}, {"max", figure.max}, {"goal", figure.goal}});
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(QJsonDocument(list).toJson()) > 0;
}

void printTable(const QList<Figure>& figures)
{
    std::printf("%-28s %10s %10s %10s %-6s %s\n", "figure", "median", "min", "max", "unit", "goal");
    for (const Figure& f : figures)
        std::printf("%-28s %10.2f %10.2f %10.2f %-6s %s\n", qPrintable(f.name), f.value, f.min, f.max,
                    qPrintable(f.unit), qPrintable(f.goal));
}
