#include "XdgDesktopShell.h"

// Qt's keyword macro `signals` would rewrite GIO's struct members of that name.
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>
#include <memory>
#include <vector>

namespace bpd::platform {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GChars = std::unique_ptr<gchar, GFree>;
using AppInfos = std::vector<GObjectPtr<GAppInfo>>;

// A web or other scheme address (not a path, not a file: URL).
bool isAddress(const QString& target) {
    if (QFileInfo(target).isAbsolute()) return false;
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1 && url.scheme() != u"file";
}

// The absolute local path of a path or file: URL.
QString localPath(const QString& target) {
    const QUrl url(target);
    const QString path = url.isValid() && url.scheme() == u"file" ? url.toLocalFile() : target;
    return QFileInfo(path).absoluteFilePath();
}

// A target as GIO hands it to a program: an address as it is, a path as a file: URI.
QByteArray uriOf(const QString& target) {
    if (isAddress(target)) return target.toUtf8();
    const GChars uri(
        g_filename_to_uri(QFile::encodeName(localPath(target)).constData(), nullptr, nullptr));
    return uri ? QByteArray(uri.get()) : QByteArray();
}

// Takes over the programs of a GIO list, leaving out those already in `apps`.
void appendNew(AppInfos& apps, GList* list) {
    for (GList* item = list; item; item = item->next) {
        GObjectPtr<GAppInfo> app(G_APP_INFO(item->data));
        bool known = false;
        for (const auto& have : apps) known = known || g_app_info_equal(have.get(), app.get());
        if (!known) apps.push_back(std::move(app));
    }
    g_list_free(list);
}

bool needsTerminal(GAppInfo* app) {
    return G_IS_DESKTOP_APP_INFO(app) &&
           g_desktop_app_info_get_boolean(G_DESKTOP_APP_INFO(app), "Terminal");
}

// A text as one word of GIO's command lines: shell-quoted, with '%' doubled so that it is
// not read as a field code.
QByteArray commandWord(const QByteArray& text) {
    const GChars quoted(g_shell_quote(text.constData()));
    return QByteArray(quoted.get()).replace('%', "%%");
}

// A plain program and its arguments as an application of GIO's; null when the program is
// not found (GIO's wrapper would start and then fail to run it, unseen).
GObjectPtr<GAppInfo> commandLineApplication(const QString& program, const QStringList& arguments) {
    const GChars found(g_find_program_in_path(QFile::encodeName(program).constData()));
    if (!found) return {};
    QByteArray commandLine = commandWord(found.get());
    for (const QString& argument : arguments)
        commandLine += ' ' + commandWord(QFile::encodeName(argument));
    const QByteArray name = QFile::encodeName(QFileInfo(program).fileName());
    return GObjectPtr<GAppInfo>(g_app_info_create_from_commandline(
        commandLine.constData(), name.constData(), G_APP_INFO_CREATE_NONE, nullptr));
}

// Starts `app` on the URIs, from `directory` when that is a folder. GIO's message of a
// failure goes to the standard error.
bool launch(GAppInfo* app, const QList<QByteArray>& uris, const QString& directory) {
    GList* list = nullptr;
    for (const QByteArray& uri : uris)
        list = g_list_append(list, const_cast<char*>(uri.constData()));
    const QString before = QDir::currentPath();
    const bool move =
        !directory.isEmpty() && QFileInfo(directory).isDir() && QDir::setCurrent(directory);
    GError* error = nullptr;
    const bool launched = g_app_info_launch_uris(app, list, nullptr, &error);
    if (move) QDir::setCurrent(before);
    g_list_free(list);
    if (error) {
        std::fprintf(stderr, "%s: %s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     g_app_info_get_name(app), error->message);
        g_error_free(error);
    }
    return launched;
}

DesktopApplication describe(GAppInfo* app) {
    DesktopApplication application;
    application.id = QString::fromUtf8(g_app_info_get_id(app));
    application.name = QString::fromUtf8(g_app_info_get_name(app));
    application.exec = QString::fromUtf8(g_app_info_get_commandline(app));
    if (GIcon* icon = g_app_info_get_icon(app)) {
        const gchar* const* names =
            G_IS_THEMED_ICON(icon) ? g_themed_icon_get_names(G_THEMED_ICON(icon)) : nullptr;
        const GChars text(names ? nullptr : g_icon_to_string(icon));
        application.icon = QString::fromUtf8(names ? names[0] : text.get());
    }
    if (const char** types = g_app_info_get_supported_types(app))
        for (; *types; ++types) application.mimeTypes << QString::fromUtf8(*types);
    if (G_IS_DESKTOP_APP_INFO(app)) {
        GDesktopAppInfo* entry = G_DESKTOP_APP_INFO(app);
        application.filePath = QFile::decodeName(g_desktop_app_info_get_filename(entry));
        application.noDisplay = g_desktop_app_info_get_nodisplay(entry);
        application.terminal = needsTerminal(app);
    }
    return application;
}

}  // namespace

QString XdgDesktopShell::mimeTypeOf(const QString& target) const {
    if (isAddress(target)) return u"x-scheme-handler/"_qs + QUrl(target).scheme();
    const QByteArray path = QFile::encodeName(localPath(target));
    // An existing file by its name and content, as `gio open` sees it; another by its name.
    const GObjectPtr<GFile> file(g_file_new_for_path(path.constData()));
    const GObjectPtr<GFileInfo> info(g_file_query_info(file.get(),
                                                       G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                       G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    const char* known = info ? g_file_info_get_content_type(info.get()) : nullptr;
    const GChars type(known ? g_strdup(known)
                            : g_content_type_guess(path.constData(), nullptr, 0, nullptr));
    const GChars mimeType(g_content_type_get_mime_type(type.get()));
    return QString::fromUtf8(mimeType ? mimeType.get() : type.get());
}

QList<DesktopApplication> XdgDesktopShell::applicationsFor(const QString& mimeType) const {
    const QByteArray type = mimeType.toUtf8();
    AppInfos apps;
    if (GAppInfo* chosen = g_app_info_get_default_for_type(type.constData(), FALSE))
        apps.emplace_back(chosen);
    appendNew(apps, g_app_info_get_recommended_for_type(type.constData()));
    appendNew(apps, g_app_info_get_all_for_type(type.constData()));
    QList<DesktopApplication> applications;
    for (const auto& app : apps)
        if (g_app_info_should_show(app.get())) applications << describe(app.get());
    return applications;
}

ShellResult XdgDesktopShell::open(const QString& target, const QString& workingDirectory,
                                  ShowMode) {
    if (target.isEmpty()) return ShellResult::NotFound;
    if (!isAddress(target) && !QFileInfo::exists(localPath(target))) return ShellResult::NotFound;
    // The desktop's default first, as `gio open` takes it; the others only for giving way.
    const QByteArray type = mimeTypeOf(target).toUtf8();
    AppInfos candidates;
    if (GAppInfo* chosen = g_app_info_get_default_for_type(type.constData(), FALSE))
        candidates.emplace_back(chosen);
    if (candidates.empty()) return ShellResult::NoAssociation;
    appendNew(candidates, g_app_info_get_all_for_type(type.constData()));
    for (const auto& app : candidates) {
        if (launch(app.get(), {uriOf(target)}, workingDirectory)) return ShellResult::Opened;
        if (!needsTerminal(app.get())) return ShellResult::Failed;
    }
    return ShellResult::IncompleteAssociation;  // each needs a terminal the desktop lacks
}

bool XdgDesktopShell::startProgram(const QString& program, const QStringList& arguments,
                                   const QString& workingDirectory, ShowMode) {
    if (program.isEmpty()) return false;
    if (program.endsWith(u".desktop"_qs) && QFileInfo(program).isFile()) {
        const GObjectPtr<GAppInfo> app(G_APP_INFO(
            g_desktop_app_info_new_from_filename(QFile::encodeName(program).constData())));
        if (!app) return false;  // not an application, or its program is missing
        QList<QByteArray> uris;
        for (const QString& argument : arguments) uris << uriOf(argument);
        return launch(app.get(), uris, workingDirectory);
    }
    const GObjectPtr<GAppInfo> app = commandLineApplication(program, arguments);
    return app && launch(app.get(), {}, workingDirectory);
}

QString XdgDesktopShell::currentDirectory() const {
    return QDir::currentPath();
}

bool XdgDesktopShell::setCurrentDirectory(const QString& path) {
    return QDir::setCurrent(path);
}

bool XdgDesktopShell::fileExists(const QString& path) const {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

}  // namespace bpd::platform
