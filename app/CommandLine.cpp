#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace rollpath {

EditorCommandLine ParseEditorCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption fly(QStringLiteral("fly-dir"), QStringLiteral("The Fly! folder"),
                                 QStringLiteral("DIR"));
    const QCommandLineOption output(QStringLiteral("output-dir"), QStringLiteral("The scenery output folder"),
                                    QStringLiteral("DIR"));
    const QCommandLineOption project(QStringLiteral("project-dir"), QStringLiteral("The project folder"),
                                     QStringLiteral("DIR"));
    const QCommandLineOption show(QStringLiteral("show"), QStringLiteral("Layers to show: markings, lights"),
                                  QStringLiteral("LAYERS"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("The program's version"));
    parser.addOptions({fly, output, project, show, help, version});
    parser.addPositionalArgument(QStringLiteral("CODE"), QStringLiteral("The airport to open"));

    EditorCommandLine line;
    if (!parser.parse(arguments)) {
        line.error = parser.errorText().toStdString();
        return line;
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (parser.isSet(fly)) {
        line.flyDir = parser.value(fly).toStdString();
    }
    if (parser.isSet(output)) {
        line.outputDir = parser.value(output).toStdString();
    }
    if (parser.isSet(project)) {
        line.projectDir = parser.value(project).toStdString();
    }
    if (parser.isSet(show)) {
        for (const QString& layer : parser.value(show).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (layer == QStringLiteral("markings")) {
                line.showMarkings = true;
            } else if (layer == QStringLiteral("lights")) {
                line.showLights = true;
            } else {
                line.error = "--show takes markings and lights, not " + layer.toStdString();
            }
        }
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        line.error = "only one airport code can be opened";
    } else if (positional.size() == 1) {
        line.code = positional.front().toStdString();
    }
    return line;
}

}  // namespace rollpath
