#include "platform/sim/simscenario.h"

#include "platform/sim/simdesktop.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <limits>

// The built-in scenario is compiled into the simulation library.
static void initSimResources()
{
    Q_INIT_RESOURCE(sim);
}

namespace Velmora::Sim {

namespace {

const QString BuiltInPath = QStringLiteral(":/velmora/sim/default-scenario.json");

QString policyName(ActivationPolicy policy)
{
    switch (policy) {
    case ActivationPolicy::Regular: return QStringLiteral("regular");
    case ActivationPolicy::Accessory: return QStringLiteral("accessory");
    case ActivationPolicy::Prohibited: return QStringLiteral("prohibited");
    }
    return QStringLiteral("regular");
}

ActivationPolicy policyFrom(const QJsonValue &value)
{
    const QString name = value.toString();
    if (name == QLatin1String("accessory"))
        return ActivationPolicy::Accessory;
    if (name == QLatin1String("prohibited"))
        return ActivationPolicy::Prohibited;
    return ActivationPolicy::Regular;
}

QString permissionName(SimDesktop::Permission permission)
{
    switch (permission) {
    case SimDesktop::Permission::Granted: return QStringLiteral("granted");
    case SimDesktop::Permission::Denied: return QStringLiteral("denied");
    case SimDesktop::Permission::NotDetermined: return QStringLiteral("notDetermined");
    }
    return QStringLiteral("granted");
}

SimDesktop::Permission permissionFrom(const QJsonValue &value)
{
    const QString name = value.toString(QStringLiteral("granted"));
    if (name == QLatin1String("denied"))
        return SimDesktop::Permission::Denied;
    if (name == QLatin1String("notDetermined"))
        return SimDesktop::Permission::NotDetermined;
    return SimDesktop::Permission::Granted;
}

QJsonArray rectArray(const QRectF &rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRectF rectFrom(const QJsonValue &value)
{
    const QJsonArray a = value.toArray();
    if (a.size() != 4)
        return {};
    return QRectF(a[0].toDouble(), a[1].toDouble(), a[2].toDouble(), a[3].toDouble());
}

QStringList stringsFrom(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list.append(item.toString());
    return list;
}

QJsonArray menuArray(const QList<SimMenuItem> &items)
{
    QJsonArray array;
    for (const SimMenuItem &item : items) {
        QJsonObject o{{QStringLiteral("title"), item.title}};
        if (!item.enabled)
            o.insert(QStringLiteral("enabled"), false);
        if (!item.commandCharacter.isEmpty())
            o.insert(QStringLiteral("key"), item.commandCharacter);
        if (item.commandModifiers != 0)
            o.insert(QStringLiteral("modifiers"), item.commandModifiers);
        if (!item.command.isEmpty())
            o.insert(QStringLiteral("command"), item.command);
        if (!item.children.isEmpty())
            o.insert(QStringLiteral("items"), menuArray(item.children));
        array.append(o);
    }
    return array;
}

QList<SimMenuItem> menuFrom(const QJsonValue &value)
{
    QList<SimMenuItem> items;
    for (const QJsonValue &entry : value.toArray()) {
        const QJsonObject o = entry.toObject();
        SimMenuItem item;
        item.title = o.value(QStringLiteral("title")).toString();
        item.enabled = o.value(QStringLiteral("enabled")).toBool(true);
        item.commandCharacter = o.value(QStringLiteral("key")).toString();
        item.commandModifiers = o.value(QStringLiteral("modifiers")).toInteger(0);
        item.command = o.value(QStringLiteral("command")).toString();
        item.children = menuFrom(o.value(QStringLiteral("items")));
        items.append(item);
    }
    return items;
}

// Most applications have no icon name; leaving the member out keeps saved
// scenarios as short as the ones written by hand.
void insertIconName(QJsonObject &entry, const QString &iconName)
{
    if (!iconName.isEmpty())
        entry.insert(QStringLiteral("icon"), iconName);
}

// The knobs under "behaviour", by name; a knob left out keeps its default.
QJsonObject knobsObject(const SimKnobs &knobs)
{
    return QJsonObject{
        {QStringLiteral("activationRaiseDelayMs"), knobs.activationRaiseDelayMs},
        {QStringLiteral("activationRaiseBurstSize"), knobs.activationRaiseBurstSize},
        {QStringLiteral("activationRaiseBurstIntervalMs"), knobs.activationRaiseBurstIntervalMs},
        {QStringLiteral("frontCallNeedsEventRecords"), knobs.frontCallNeedsEventRecords},
        {QStringLiteral("minimizeAnimates"), knobs.minimizeAnimates},
        {QStringLiteral("animationFrameMs"), knobs.animationFrameMs},
        {QStringLiteral("reducedMotionScale"), knobs.reducedMotionScale},
        {QStringLiteral("keyTapsRunOnTheirThread"), knobs.keyTapsRunOnTheirThread},
        {QStringLiteral("keyTapTimeoutMs"), knobs.keyTapTimeoutMs},
        {QStringLiteral("dockThickness"), knobs.dockThickness},
        {QStringLiteral("dockHiddenThickness"), knobs.dockHiddenThickness},
        {QStringLiteral("dockRestartMs"), knobs.dockRestartMs},
        {QStringLiteral("fullScreenMovesToOwnSpace"), knobs.fullScreenMovesToOwnSpace},
        {QStringLiteral("fullScreenTransitionMs"), knobs.fullScreenTransitionMs},
        {QStringLiteral("newWindowDelayMs"), knobs.newWindowDelayMs},
        {QStringLiteral("accessibilityGrantDelayMs"), knobs.accessibilityGrantDelayMs},
        {QStringLiteral("screenCaptureGrantDelayMs"), knobs.screenCaptureGrantDelayMs},
        {QStringLiteral("screenCaptureTakesEffectAfterRestart"), knobs.screenCaptureTakesEffectAfterRestart},
    };
}

SimKnobs knobsFrom(const QJsonValue &value)
{
    const QJsonObject o = value.toObject();
    SimKnobs knobs;
    auto integer = [&](const char *key, qint64 fallback) {
        return o.value(QLatin1String(key)).toInteger(fallback);
    };
    auto boolean = [&](const char *key, bool fallback) { return o.value(QLatin1String(key)).toBool(fallback); };
    knobs.activationRaiseDelayMs = integer("activationRaiseDelayMs", knobs.activationRaiseDelayMs);
    knobs.activationRaiseBurstSize = int(integer("activationRaiseBurstSize", knobs.activationRaiseBurstSize));
    knobs.activationRaiseBurstIntervalMs = integer("activationRaiseBurstIntervalMs",
                                                   knobs.activationRaiseBurstIntervalMs);
    knobs.frontCallNeedsEventRecords = boolean("frontCallNeedsEventRecords", knobs.frontCallNeedsEventRecords);
    knobs.minimizeAnimates = boolean("minimizeAnimates", knobs.minimizeAnimates);
    knobs.animationFrameMs = integer("animationFrameMs", knobs.animationFrameMs);
    knobs.reducedMotionScale = o.value(QStringLiteral("reducedMotionScale")).toDouble(knobs.reducedMotionScale);
    knobs.keyTapsRunOnTheirThread = boolean("keyTapsRunOnTheirThread", knobs.keyTapsRunOnTheirThread);
    knobs.keyTapTimeoutMs = integer("keyTapTimeoutMs", knobs.keyTapTimeoutMs);
    knobs.dockThickness = o.value(QStringLiteral("dockThickness")).toDouble(knobs.dockThickness);
    knobs.dockHiddenThickness = o.value(QStringLiteral("dockHiddenThickness")).toDouble(knobs.dockHiddenThickness);
    knobs.dockRestartMs = integer("dockRestartMs", knobs.dockRestartMs);
    knobs.fullScreenMovesToOwnSpace = boolean("fullScreenMovesToOwnSpace", knobs.fullScreenMovesToOwnSpace);
    knobs.fullScreenTransitionMs = integer("fullScreenTransitionMs", knobs.fullScreenTransitionMs);
    knobs.newWindowDelayMs = integer("newWindowDelayMs", knobs.newWindowDelayMs);
    knobs.accessibilityGrantDelayMs = integer("accessibilityGrantDelayMs", knobs.accessibilityGrantDelayMs);
    knobs.screenCaptureGrantDelayMs = integer("screenCaptureGrantDelayMs", knobs.screenCaptureGrantDelayMs);
    knobs.screenCaptureTakesEffectAfterRestart = boolean("screenCaptureTakesEffectAfterRestart",
                                                         knobs.screenCaptureTakesEffectAfterRestart);
    return knobs;
}

// Entries without a pid or a window number get the first free ones from
// where a fresh desktop starts counting. Left to the desktop, an automatic
// value could be one that a later entry lists, and that entry would then
// replace the earlier one or be dropped.
constexpr qint64 firstAutomaticPid = 400;
constexpr qint64 firstAutomaticWindowNumber = 1000;

qint64 nextFree(qint64 &next, const QSet<qint64> &taken)
{
    while (taken.contains(next))
        ++next;
    return next++;
}

// A pid or a window number is kept in 32 bits: one given as a number must be
// a whole number that fits, or it would be cut short or replaced by a default
// on its way into the world. One of another type reads as its default, like
// any field of the wrong type.
QString rangeProblem(const QJsonValue &value, const QString &what, qint64 lowest, qint64 highest)
{
    if (!value.isDouble())
        return {};
    const qint64 number = value.toInteger(lowest - 1);
    if (number >= lowest && number <= highest)
        return {};
    return QStringLiteral("%1 %2 is not a whole number from %3 to %4")
        .arg(what, QString::number(value.toDouble(), 'g', 17))
        .arg(lowest)
        .arg(highest);
}

QString pidProblem(const QJsonValue &value, const QString &what)
{
    return rangeProblem(value, what, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

QString checkShape(const QJsonObject &root)
{
    const QStringList lists{QStringLiteral("displays"), QStringLiteral("installed"), QStringLiteral("processes"),
                            QStringLiteral("windows"), QStringLiteral("missingPrivateFunctions"),
                            QStringLiteral("favorites"), QStringLiteral("fullScreenSpaces")};
    for (const QString &key : lists) {
        if (root.contains(key) && !root.value(key).isArray())
            return QStringLiteral("\"%1\" must be a list").arg(key);
    }
    for (const char *key : {"selfPid", "frontmost"}) {
        if (QString problem = pidProblem(root.value(QLatin1String(key)), QLatin1String(key)); !problem.isEmpty())
            return problem;
    }
    QSet<qint64> pids{root.value(QStringLiteral("selfPid")).toInteger(SimDesktop::DefaultSelfPid)};
    QSet<qint64> listedPids;
    for (const QJsonValue &p : root.value(QStringLiteral("processes")).toArray()) {
        if (!p.isObject() || p.toObject().value(QStringLiteral("name")).toString().isEmpty())
            return QStringLiteral("every process needs a name");
        const QJsonValue pidValue = p.toObject().value(QStringLiteral("pid"));
        if (QString problem = pidProblem(pidValue, QStringLiteral("pid")); !problem.isEmpty())
            return problem;
        // A second process with one pid would replace the first.
        const qint64 pid = pidValue.toInteger(0);
        if (pid != 0 && listedPids.contains(pid))
            return QStringLiteral("pid %1 is listed twice").arg(pid);
        listedPids.insert(pid);
        pids.insert(pid);
    }
    QSet<qint64> numbers;
    for (const QJsonValue &w : root.value(QStringLiteral("windows")).toArray()) {
        if (!w.isObject() || !w.toObject().value(QStringLiteral("owner")).isDouble())
            return QStringLiteral("every window needs an owner pid");
        const QJsonValue ownerValue = w.toObject().value(QStringLiteral("owner"));
        if (QString problem = pidProblem(ownerValue, QStringLiteral("window owner")); !problem.isEmpty())
            return problem;
        // Caught here rather than dropping the window without a word.
        const qint64 owner = ownerValue.toInteger(0);
        if (owner == 0 || !pids.contains(owner))
            return QStringLiteral("window owner %1 is not a listed process").arg(owner);
        const QJsonValue numberValue = w.toObject().value(QStringLiteral("number"));
        if (QString problem = rangeProblem(numberValue, QStringLiteral("window number"), 0,
                                           std::numeric_limits<quint32>::max());
            !problem.isEmpty())
            return problem;
        // The world keeps one window per number.
        const qint64 number = numberValue.toInteger(0);
        if (number != 0 && numbers.contains(number))
            return QStringLiteral("window number %1 is listed twice").arg(number);
        numbers.insert(number);
    }
    return {};
}

} // namespace

bool SimScenario::load(SimDesktop &desktop, const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    QString problem;
    if (parseError.error != QJsonParseError::NoError)
        problem = parseError.errorString();
    else if (!document.isObject())
        problem = QStringLiteral("a scenario is a JSON object");
    else
        problem = checkShape(document.object());
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    const QJsonObject root = document.object();

    desktop.clear();
    desktop.setKnobs(knobsFrom(root.value(QStringLiteral("behaviour"))));
    desktop.setSelfPid(root.value(QStringLiteral("selfPid")).toInt(SimDesktop::DefaultSelfPid));
    desktop.setCurrentSpace(root.value(QStringLiteral("currentSpace")).toInt(1));

    const QJsonObject permissions = root.value(QStringLiteral("permissions")).toObject();
    desktop.setAccessibilityTrusted(permissions.value(QStringLiteral("accessibility")).toBool(true));
    desktop.setScreenCaptureAccess(permissionFrom(permissions.value(QStringLiteral("screenCapture"))));
    desktop.setGrantsScreenCaptureOnRequest(permissions.value(QStringLiteral("screenCaptureOnRequest")).toBool(false));
    desktop.setGrantsAccessibilityOnPrompt(permissions.value(QStringLiteral("accessibilityOnPrompt")).toBool(false));
    if (permissions.value(QStringLiteral("screenCaptureAwaitsRestart")).toBool(false))
        desktop.setScreenCaptureAwaitsRestart();
    desktop.setPostEventAccess(permissions.value(QStringLiteral("postEvents")).toBool(true));
    desktop.setReducesMotion(root.value(QStringLiteral("reduceMotion")).toBool(false));
    for (const QString &name : stringsFrom(root.value(QStringLiteral("missingPrivateFunctions"))))
        desktop.setPrivateFunctionAvailable(name, false);

    QList<DisplayInfo> displays;
    for (const QJsonValue &entry : root.value(QStringLiteral("displays")).toArray()) {
        const QJsonObject o = entry.toObject();
        DisplayInfo display;
        display.displayId = quint32(o.value(QStringLiteral("id")).toInteger(1));
        display.name = o.value(QStringLiteral("name")).toString();
        display.bounds = rectFrom(o.value(QStringLiteral("bounds")));
        display.backingScaleFactor = o.value(QStringLiteral("scale")).toDouble(1.0);
        displays.append(display);
    }
    desktop.setDisplays(displays);

    const QJsonObject preferences = root.value(QStringLiteral("preferences")).toObject();
    for (auto domain = preferences.begin(); domain != preferences.end(); ++domain) {
        const QVariantMap values = domain.value().toObject().toVariantMap();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            desktop.setPreference(domain.key(), it.key(), it.value());
    }

    for (const QJsonValue &entry : root.value(QStringLiteral("installed")).toArray()) {
        const QJsonObject o = entry.toObject();
        SimInstalledApplication application;
        application.bundleIdentifier = o.value(QStringLiteral("bundleId")).toString();
        application.name = o.value(QStringLiteral("name")).toString();
        application.bundlePath = o.value(QStringLiteral("path")).toString();
        application.policy = policyFrom(o.value(QStringLiteral("policy")));
        application.windowTitles = stringsFrom(o.value(QStringLiteral("windows")));
        application.menuBar = menuFrom(o.value(QStringLiteral("menuBar")));
        application.launchDurationMs = o.value(QStringLiteral("launchMs")).toInteger(300);
        application.iconName = o.value(QStringLiteral("icon")).toString();
        desktop.addInstalledApplication(application);
    }

    // A favourite without a path stands for one that no longer resolves; one
    // without "directory" is one whose type cannot be read.
    QList<FavoriteFolderEntry> favorites;
    for (const QJsonValue &entry : root.value(QStringLiteral("favorites")).toArray()) {
        const QJsonObject o = entry.toObject();
        FavoriteFolderEntry favorite;
        const QString path = o.value(QStringLiteral("path")).toString();
        if (!path.isEmpty())
            favorite.url = QUrl::fromLocalFile(path);
        favorite.displayName = o.value(QStringLiteral("name")).toString();
        if (o.value(QStringLiteral("directory")).isBool())
            favorite.isDirectory = o.value(QStringLiteral("directory")).toBool();
        favorites.append(favorite);
    }
    desktop.setFavoriteFolders(favorites);

    const QJsonArray processes = root.value(QStringLiteral("processes")).toArray();
    QSet<qint64> takenPids{desktop.selfPid()};
    for (const QJsonValue &entry : processes)
        takenPids.insert(entry.toObject().value(QStringLiteral("pid")).toInteger(0));
    qint64 nextPid = firstAutomaticPid;
    for (const QJsonValue &entry : processes) {
        const QJsonObject o = entry.toObject();
        SimProcess process;
        process.pid = o.value(QStringLiteral("pid")).toInt(0);
        if (process.pid == 0)
            process.pid = qint32(nextFree(nextPid, takenPids));
        process.bundleIdentifier = o.value(QStringLiteral("bundleId")).toString();
        process.name = o.value(QStringLiteral("name")).toString();
        process.bundlePath = o.value(QStringLiteral("path")).toString();
        process.executablePath = o.value(QStringLiteral("executable")).toString();
        process.iconName = o.value(QStringLiteral("icon")).toString();
        process.policy = policyFrom(o.value(QStringLiteral("policy")));
        process.hidden = o.value(QStringLiteral("hidden")).toBool(false);
        process.hung = o.value(QStringLiteral("hung")).toBool(false);
        process.launchDateMs = o.value(QStringLiteral("launchDate")).toInteger(0);
        process.minimizeDurationMs = o.value(QStringLiteral("minimizeMs")).toInteger(process.minimizeDurationMs);
        process.closeDurationMs = o.value(QStringLiteral("closeMs")).toInteger(process.closeDurationMs);
        process.siblingsRise = o.value(QStringLiteral("siblingsRise")).toBool(true);
        process.menuBar = menuFrom(o.value(QStringLiteral("menuBar")));
        // This process is always there already.
        const auto replace = [&](SimProcess &existing) {
            const qint64 launched = existing.launchDateMs;
            existing = process;
            if (existing.launchDateMs == 0)
                existing.launchDateMs = launched;
        };
        if (!desktop.updateProcess(process.pid, replace))
            desktop.addProcess(process);
    }

    // Listed front to back: add from the back so the first ends up in front.
    const QJsonArray windows = root.value(QStringLiteral("windows")).toArray();
    QSet<qint64> takenNumbers{0};
    for (const QJsonValue &entry : windows)
        takenNumbers.insert(entry.toObject().value(QStringLiteral("number")).toInteger(0));
    qint64 nextNumber = firstAutomaticWindowNumber;
    for (qsizetype i = windows.size() - 1; i >= 0; --i) {
        const QJsonObject o = windows.at(i).toObject();
        SimWindow w;
        w.number = quint32(o.value(QStringLiteral("number")).toInteger(0));
        if (w.number == 0)
            w.number = quint32(nextFree(nextNumber, takenNumbers));
        w.ownerPid = o.value(QStringLiteral("owner")).toInt();
        w.title = o.value(QStringLiteral("title")).toString();
        w.bounds = rectFrom(o.value(QStringLiteral("bounds")));
        w.layer = o.value(QStringLiteral("layer")).toInteger(0);
        w.alpha = o.value(QStringLiteral("alpha")).toDouble(1.0);
        w.visible = o.value(QStringLiteral("visible")).toBool(true);
        w.minimized = o.value(QStringLiteral("minimized")).toBool(false);
        w.space = o.value(QStringLiteral("space")).toInt(1);
        w.fullScreen = o.value(QStringLiteral("fullScreen")).toBool(false);
        w.desktopElement = o.value(QStringLiteral("desktopElement")).toBool(w.layer < 0);
        w.subrole = o.value(QStringLiteral("subrole")).toString(w.subrole);
        w.hasCloseButton = o.value(QStringLiteral("closeButton")).toBool(true);
        w.hasMinimizeButton = o.value(QStringLiteral("minimizeButton")).toBool(true);
        w.minimizeButtonEnabled = o.value(QStringLiteral("minimizeEnabled")).toBool(true);
        w.tabs = stringsFrom(o.value(QStringLiteral("tabs")));
        w.closeShowsSheet = o.value(QStringLiteral("closeShowsSheet")).toBool(false);
        w.sheetOpen = o.value(QStringLiteral("sheetOpen")).toBool(false);
        w.accessible = o.value(QStringLiteral("accessible")).toBool(true);
        w.inWindowList = o.value(QStringLiteral("inWindowList")).toBool(true);
        w.remoteElementId = quint64(o.value(QStringLiteral("remoteId")).toInteger(0));
        w.dockTitle = o.value(QStringLiteral("dockTitle")).toString();
        w.windowListOverrides = o.value(QStringLiteral("windowListOverrides")).toObject().toVariantMap();
        desktop.addWindow(w);
    }

    for (const QJsonValue &entry : root.value(QStringLiteral("fullScreenSpaces")).toArray()) {
        const QJsonObject o = entry.toObject();
        SimFullScreenSpace space;
        space.space = o.value(QStringLiteral("space")).toInt(0);
        space.displayId = quint32(o.value(QStringLiteral("display")).toInteger(0));
        space.window = quint32(o.value(QStringLiteral("window")).toInteger(0));
        space.previousSpace = o.value(QStringLiteral("previousSpace")).toInt(1);
        space.previousBounds = rectFrom(o.value(QStringLiteral("previousBounds")));
        desktop.addFullScreenSpace(space, o.value(QStringLiteral("shown")).toBool(false));
    }

    if (root.contains(QStringLiteral("frontmost")))
        desktop.makeFrontmost(root.value(QStringLiteral("frontmost")).toInt());
    return true;
}

bool SimScenario::loadFile(SimDesktop &desktop, const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return load(desktop, file.readAll(), error);
}

QByteArray SimScenario::save(const SimDesktop &desktop)
{
    QJsonObject root;
    root.insert(QStringLiteral("selfPid"), desktop.selfPid());
    root.insert(QStringLiteral("currentSpace"), desktop.currentSpace());
    root.insert(QStringLiteral("reduceMotion"), desktop.reducesMotion());
    root.insert(QStringLiteral("behaviour"), knobsObject(desktop.knobs()));
    if (const std::optional<qint32> front = desktop.frontmostPid())
        root.insert(QStringLiteral("frontmost"), *front);
    root.insert(QStringLiteral("permissions"),
                QJsonObject{{QStringLiteral("accessibility"), desktop.isAccessibilityTrusted()},
                            {QStringLiteral("screenCapture"), permissionName(desktop.screenCaptureAccess())},
                            {QStringLiteral("screenCaptureOnRequest"), desktop.grantsScreenCaptureOnRequest()},
                            {QStringLiteral("accessibilityOnPrompt"), desktop.grantsAccessibilityOnPrompt()},
                            {QStringLiteral("screenCaptureAwaitsRestart"), desktop.screenCaptureAwaitsRestart()},
                            {QStringLiteral("postEvents"), desktop.postEventAccess()}});
    root.insert(QStringLiteral("missingPrivateFunctions"),
                QJsonArray::fromStringList(desktop.missingPrivateFunctions()));

    QJsonArray displays;
    for (const DisplayInfo &display : desktop.displays()) {
        displays.append(QJsonObject{{QStringLiteral("id"), qint64(display.displayId)},
                                    {QStringLiteral("name"), display.name},
                                    {QStringLiteral("bounds"), rectArray(display.bounds)},
                                    {QStringLiteral("scale"), display.backingScaleFactor}});
    }
    root.insert(QStringLiteral("displays"), displays);

    QJsonObject preferences;
    const QMap<QString, QVariantMap> domains = desktop.preferences();
    for (auto it = domains.cbegin(); it != domains.cend(); ++it)
        preferences.insert(it.key(), QJsonObject::fromVariantMap(it.value()));
    root.insert(QStringLiteral("preferences"), preferences);

    QJsonArray installed;
    for (const SimInstalledApplication &a : desktop.installedApplications()) {
        QJsonObject application{{QStringLiteral("bundleId"), a.bundleIdentifier},
                                {QStringLiteral("name"), a.name},
                                {QStringLiteral("path"), a.bundlePath},
                                {QStringLiteral("policy"), policyName(a.policy)},
                                {QStringLiteral("windows"), QJsonArray::fromStringList(a.windowTitles)},
                                {QStringLiteral("menuBar"), menuArray(a.menuBar)},
                                {QStringLiteral("launchMs"), a.launchDurationMs}};
        insertIconName(application, a.iconName);
        installed.append(application);
    }
    root.insert(QStringLiteral("installed"), installed);

    QJsonArray favorites;
    for (const FavoriteFolderEntry &f : desktop.favoriteFolders()) {
        QJsonObject favorite{{QStringLiteral("name"), f.displayName}};
        if (!f.url.isEmpty())
            favorite.insert(QStringLiteral("path"), f.url.toLocalFile());
        if (f.isDirectory)
            favorite.insert(QStringLiteral("directory"), *f.isDirectory);
        favorites.append(favorite);
    }
    root.insert(QStringLiteral("favorites"), favorites);

    QJsonArray processes;
    for (const SimProcess &p : desktop.processes()) {
        QJsonObject process{{QStringLiteral("pid"), p.pid},
                            {QStringLiteral("bundleId"), p.bundleIdentifier},
                            {QStringLiteral("name"), p.name},
                            {QStringLiteral("path"), p.bundlePath},
                            {QStringLiteral("executable"), p.executablePath},
                            {QStringLiteral("policy"), policyName(p.policy)},
                            {QStringLiteral("hidden"), p.hidden},
                            {QStringLiteral("hung"), p.hung},
                            {QStringLiteral("launchDate"), p.launchDateMs},
                            {QStringLiteral("minimizeMs"), p.minimizeDurationMs},
                            {QStringLiteral("closeMs"), p.closeDurationMs},
                            {QStringLiteral("siblingsRise"), p.siblingsRise},
                            {QStringLiteral("menuBar"), menuArray(p.menuBar)}};
        insertIconName(process, p.iconName);
        processes.append(process);
    }
    root.insert(QStringLiteral("processes"), processes);

    QJsonArray windows;
    for (const SimWindow &w : desktop.windows()) {
        windows.append(QJsonObject{{QStringLiteral("number"), qint64(w.number)},
                                   {QStringLiteral("owner"), w.ownerPid},
                                   {QStringLiteral("title"), w.title},
                                   {QStringLiteral("bounds"), rectArray(w.bounds)},
                                   {QStringLiteral("layer"), w.layer},
                                   {QStringLiteral("alpha"), w.alpha},
                                   {QStringLiteral("visible"), w.visible},
                                   {QStringLiteral("minimized"), w.minimized},
                                   {QStringLiteral("space"), w.space},
                                   {QStringLiteral("fullScreen"), w.fullScreen},
                                   {QStringLiteral("desktopElement"), w.desktopElement},
                                   {QStringLiteral("subrole"), w.subrole},
                                   {QStringLiteral("closeButton"), w.hasCloseButton},
                                   {QStringLiteral("minimizeButton"), w.hasMinimizeButton},
                                   {QStringLiteral("minimizeEnabled"), w.minimizeButtonEnabled},
                                   {QStringLiteral("tabs"), QJsonArray::fromStringList(w.tabs)},
                                   {QStringLiteral("closeShowsSheet"), w.closeShowsSheet},
                                   {QStringLiteral("sheetOpen"), w.sheetOpen},
                                   {QStringLiteral("accessible"), w.accessible},
                                   {QStringLiteral("inWindowList"), w.inWindowList},
                                   {QStringLiteral("remoteId"), qint64(w.remoteElementId)},
                                   {QStringLiteral("dockTitle"), w.dockTitle},
                                   {QStringLiteral("windowListOverrides"),
                                    QJsonObject::fromVariantMap(w.windowListOverrides)}});
    }
    root.insert(QStringLiteral("windows"), windows);

    QList<SimFullScreenSpace> spaces = desktop.fullScreenSpaces();
    std::sort(spaces.begin(), spaces.end(), [](const auto &a, const auto &b) { return a.space < b.space; });
    QJsonArray fullScreenSpaces;
    for (const SimFullScreenSpace &space : spaces) {
        fullScreenSpaces.append(QJsonObject{{QStringLiteral("space"), space.space},
                                            {QStringLiteral("display"), qint64(space.displayId)},
                                            {QStringLiteral("window"), qint64(space.window)},
                                            {QStringLiteral("previousSpace"), space.previousSpace},
                                            {QStringLiteral("previousBounds"), rectArray(space.previousBounds)},
                                            {QStringLiteral("shown"),
                                             desktop.spaceShownOn(space.displayId) == space.space}});
    }
    root.insert(QStringLiteral("fullScreenSpaces"), fullScreenSpaces);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray SimScenario::builtIn()
{
    initSimResources();
    QFile file(BuiltInPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace Velmora::Sim
