<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AffairEditDialog</name>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="8"/>
        <location filename="../src/gui/events/affaireditdialog.cpp" line="19"/>
        <source>Event Information</source>
        <translation>Ereignisdetails</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="9"/>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="10"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="12"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="14"/>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="16"/>
        <source>Period Type</source>
        <translation>Rhythmus</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="17"/>
        <source>Once</source>
        <translation>Einmal</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="18"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="19"/>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="20"/>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="21"/>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="22"/>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="23"/>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="24"/>
        <source>Period Data</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="27"/>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Bounce</source>
        <translation>Hüpfen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Blinds Horizontal</source>
        <translation>Jalousie waagerecht</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Blinds Vertical</source>
        <translation>Jalousie senkrecht</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Up</source>
        <translation>Schieben nach oben</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Down</source>
        <translation>Schieben nach unten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Left</source>
        <translation>Schieben nach links</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Right</source>
        <translation>Schieben nach rechts</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Left-Up</source>
        <translation>Schieben nach links oben</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Right-Up</source>
        <translation>Schieben nach rechts oben</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Left-Down</source>
        <translation>Schieben nach links unten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Push Right-Down</source>
        <translation>Schieben nach rechts unten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Up</source>
        <translation>Ausbreiten nach oben</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Down</source>
        <translation>Ausbreiten nach unten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Left</source>
        <translation>Ausbreiten nach links</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Right</source>
        <translation>Ausbreiten nach rechts</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Left-Up</source>
        <translation>Ausbreiten nach links oben</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Right-Up</source>
        <translation>Ausbreiten nach rechts oben</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Left-Down</source>
        <translation>Ausbreiten nach links unten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/affaireditdialog.ui" line="28"/>
        <source>Spread Right-Down</source>
        <translation>Ausbreiten nach rechts unten</translation>
    </message>
    <message>
        <location filename="../src/gui/events/affaireditdialog.cpp" line="153"/>
        <source>This moment has passed, so the event will never be shown. Save it anyway?</source>
        <translation>Dieser Zeitpunkt ist vorbei, das Ereignis wird also nie angezeigt. Trotzdem speichern?</translation>
    </message>
</context>
<context>
    <name>BackupArchive</name>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="103"/>
        <source>The event list %1 cannot be read: %2</source>
        <translation>Die Ereignisliste %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="114"/>
        <source>You have nothing to backup.</source>
        <translation>Es gibt nichts zu sichern.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="120"/>
        <location filename="../src/core/storage/backuparchive.cpp" line="251"/>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="142"/>
        <source>The backup file %1 cannot be written: %2</source>
        <translation>Die Sicherungsdatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="133"/>
        <source>The picture %1 cannot be read: %2</source>
        <translation>Das Bild %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="152"/>
        <source>The file ends before the length of the event list.</source>
        <translation>Die Datei endet vor der Längenangabe der Ereignisliste.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="155"/>
        <source>The event list has a negative length (%1).</source>
        <translation>Die Ereignisliste hat eine negative Länge (%1).</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="158"/>
        <source>The event list is longer (%1 bytes) than the data left (%2 bytes).</source>
        <translation>Die Ereignisliste ist länger (%1 Bytes) als die verbleibenden Daten (%2 Bytes).</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="168"/>
        <location filename="../src/core/storage/backuparchive.cpp" line="173"/>
        <location filename="../src/core/storage/backuparchive.cpp" line="177"/>
        <source>The event list does not decompress.</source>
        <translation>Die Ereignisliste lässt sich nicht entpacken.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="180"/>
        <source>The event list is not an event file.</source>
        <translation>Die Ereignisliste ist keine Ereignisdatei.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="67"/>
        <source>A temporary file cannot be written: %1</source>
        <translation>Eine temporäre Datei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="208"/>
        <source>The file ends inside the length of picture %1.</source>
        <translation>Die Datei endet innerhalb der Längenangabe von Bild %1.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="211"/>
        <source>Picture %1 has a negative length (%2).</source>
        <translation>Bild %1 hat eine negative Länge (%2).</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="214"/>
        <source>Picture %1 is longer (%2 bytes) than the data left (%3 bytes).</source>
        <translation>Bild %1 ist länger (%2 Bytes) als die verbleibenden Daten (%3 Bytes).</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="220"/>
        <source>The file holds more pictures than its %1 events.</source>
        <translation>Die Datei enthält mehr Bilder als ihre %1 Ereignisse.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="197"/>
        <location filename="../src/core/storage/backuparchive.cpp" line="273"/>
        <source>Event %1 names the picture path &quot;%2&quot;, which is not one the program makes.</source>
        <translation>Ereignis %1 nennt den Bildpfad „%2“, den das Programm nicht selbst anlegt.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="292"/>
        <location filename="../src/core/storage/backuparchive.cpp" line="316"/>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="303"/>
        <location filename="../src/core/storage/backuparchive.cpp" line="308"/>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts geändert.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="322"/>
        <source>The event list was not changed; %1 pictures were already replaced.</source>
        <translation>Die Ereignisliste wurde nicht geändert; %1 Bilder waren bereits ersetzt.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="341"/>
        <source>The file %1 cannot be read: %2</source>
        <translation>Die Datei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="348"/>
        <source>The file %1 is not a sound backup: %2</source>
        <translation>Die Datei %1 ist keine intakte Sicherung: %2</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="189"/>
        <source>The event list holds no events.</source>
        <translation>Die Ereignisliste enthält keine Ereignisse.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="223"/>
        <source>Picture %1 is larger than any the program writes.</source>
        <translation>Bild %1 ist größer als jedes, das das Programm schreibt.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/backuparchive.cpp" line="232"/>
        <source>Picture %1 belongs to an event without a picture path.</source>
        <translation>Bild %1 gehört zu einem Ereignis ohne Bildpfad.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/core/system/commandline.cpp" line="18"/>
        <source>Picture reminders on your desktop.</source>
        <translation>Bilder als Erinnerung auf dem Schreibtisch.</translation>
    </message>
    <message>
        <location filename="../src/core/system/commandline.cpp" line="20"/>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <location filename="../src/core/system/commandline.cpp" line="23"/>
        <source>Show the version and licence and exit.</source>
        <translation>Version und Lizenz zeigen und beenden.</translation>
    </message>
    <message>
        <location filename="../src/core/system/commandline.cpp" line="33"/>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <location filename="../src/core/system/commandline.cpp" line="36"/>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>Siehe „%1 --help“.</translation>
    </message>
</context>
<context>
    <name>DAboutDialog</name>
    <message>
        <location filename="../src/gui/forms/daboutdialog.ui" line="9"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/daboutdialog.ui" line="26"/>
        <source>Vsn</source>
        <translation>Vers.</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/daboutdialog.ui" line="40"/>
        <source>CRST</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/daboutdialog.ui" line="54"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/daboutdialog.ui" line="66"/>
        <source>Web</source>
        <translation>Web</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/daboutdialog.ui" line="74"/>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/daboutdialog.ui" line="82"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/gui/about/daboutdialog.cpp" line="38"/>
        <source>About</source>
        <translation>Über Pennibell</translation>
    </message>
    <message>
        <location filename="../src/gui/about/daboutdialog.cpp" line="39"/>
        <source>Pennibell</source>
        <translation>Pennibell</translation>
    </message>
</context>
<context>
    <name>EffectCodes</name>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="16"/>
        <source>Bounce</source>
        <translation>Hüpfen</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="17"/>
        <source>Blinds Horizontal</source>
        <translation>Jalousie waagerecht</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="18"/>
        <source>Blinds Vertical</source>
        <translation>Jalousie senkrecht</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="19"/>
        <source>Push Up</source>
        <translation>Schieben nach oben</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="20"/>
        <source>Push Down</source>
        <translation>Schieben nach unten</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="21"/>
        <source>Push Left</source>
        <translation>Schieben nach links</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="22"/>
        <source>Push Right</source>
        <translation>Schieben nach rechts</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="23"/>
        <source>Push Left-Up</source>
        <translation>Schieben nach links oben</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="24"/>
        <source>Push Right-Up</source>
        <translation>Schieben nach rechts oben</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="25"/>
        <source>Push Left-Down</source>
        <translation>Schieben nach links unten</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="26"/>
        <source>Push Right-Down</source>
        <translation>Schieben nach rechts unten</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="27"/>
        <source>Spread Up</source>
        <translation>Ausbreiten nach oben</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="28"/>
        <source>Spread Down</source>
        <translation>Ausbreiten nach unten</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="29"/>
        <source>Spread Left</source>
        <translation>Ausbreiten nach links</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="30"/>
        <source>Spread Right</source>
        <translation>Ausbreiten nach rechts</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="31"/>
        <source>Spread Left-Up</source>
        <translation>Ausbreiten nach links oben</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="32"/>
        <source>Spread Right-Up</source>
        <translation>Ausbreiten nach rechts oben</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="33"/>
        <source>Spread Left-Down</source>
        <translation>Ausbreiten nach links unten</translation>
    </message>
    <message>
        <location filename="../src/core/effects/effectcodes.cpp" line="34"/>
        <source>Spread Right-Down</source>
        <translation>Ausbreiten nach rechts unten</translation>
    </message>
</context>
<context>
    <name>EffectShow</name>
    <message>
        <location filename="../src/gui/effects/effectshow.cpp" line="363"/>
        <source>The picture of this reminder cannot be shown.</source>
        <translation>Das Bild dieser Erinnerung kann nicht angezeigt werden.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren …</translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation>E&amp;xportieren …</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="14"/>
        <location filename="../src/gui/main/backupmessages.h" line="12"/>
        <location filename="../src/gui/main/mainwindow.cpp" line="208"/>
        <location filename="../src/gui/main/mainwindow.cpp" line="218"/>
        <source>Pennibell</source>
        <translation>Pennibell</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="46"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="69"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="74"/>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="79"/>
        <source>Period</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="84"/>
        <source>Effective</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="98"/>
        <location filename="../src/gui/main/mainwindow.cpp" line="213"/>
        <source>Add New</source>
        <translation>Neues Ereignis</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="111"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="124"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="137"/>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="209"/>
        <source>Add event</source>
        <translation>Ereignis hinzufügen</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="209"/>
        <location filename="../src/gui/main/mainwindow.cpp" line="390"/>
        <source>Delete event</source>
        <translation>Ereignis löschen</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="213"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="209"/>
        <source>Edit event</source>
        <translation>Ereignis bearbeiten</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="209"/>
        <source>Preview event</source>
        <translation>Ereignisvorschau</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="465"/>
        <location filename="../src/gui/main/mainwindow.cpp" line="471"/>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="494"/>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <location filename="../src/gui/main/backupmessages.h" line="14"/>
        <source>You have nothing to backup.
</source>
        <translation>Es gibt nichts zu sichern.
</translation>
    </message>
    <message>
        <location filename="../src/gui/main/backupmessages.h" line="17"/>
        <location filename="../src/gui/main/backupmessages.h" line="21"/>
        <source>Backup File</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <location filename="../src/gui/main/backupmessages.h" line="18"/>
        <source>Backup success.
</source>
        <translation>Sicherung erfolgreich.
</translation>
    </message>
    <message>
        <location filename="../src/gui/main/backupmessages.h" line="22"/>
        <source>Backup failed.
</source>
        <translation>Sicherung fehlgeschlagen.
</translation>
    </message>
    <message>
        <location filename="../src/gui/main/backupmessages.h" line="25"/>
        <location filename="../src/gui/main/backupmessages.h" line="30"/>
        <source>Restore File</source>
        <translation>Sicherung wiederherstellen</translation>
    </message>
    <message>
        <location filename="../src/gui/main/backupmessages.h" line="27"/>
        <source>Backup file (*.bef);;All files (*.*)</source>
        <translation>Sicherungsdatei (*.bef);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <location filename="../src/gui/main/backupmessages.h" line="31"/>
        <source>Restore failed.
</source>
        <translation>Wiederherstellung fehlgeschlagen.
</translation>
    </message>
    <message>
        <location filename="../src/gui/main/eventrowtext.cpp" line="12"/>
        <source>year</source>
        <translation>Jahr(e)</translation>
    </message>
    <message>
        <location filename="../src/gui/main/eventrowtext.cpp" line="13"/>
        <source>month</source>
        <translation>Monat(e)</translation>
    </message>
    <message>
        <location filename="../src/gui/main/eventrowtext.cpp" line="13"/>
        <source>week</source>
        <translation>Woche(n)</translation>
    </message>
    <message>
        <location filename="../src/gui/main/eventrowtext.cpp" line="14"/>
        <source>day</source>
        <translation>Tag(e)</translation>
    </message>
    <message>
        <location filename="../src/gui/main/eventrowtext.cpp" line="14"/>
        <source>hour</source>
        <translation>Stunde(n)</translation>
    </message>
    <message>
        <location filename="../src/gui/main/eventrowtext.cpp" line="15"/>
        <source>minute</source>
        <translation>Minute(n)</translation>
    </message>
    <message>
        <location filename="../src/gui/main/eventrowtext.cpp" line="12"/>
        <source>Once</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="213"/>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="213"/>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="332"/>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="332"/>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="381"/>
        <source>Save events</source>
        <translation>Ereignisse speichern</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="382"/>
        <source>The events could not be saved to
%1.
Your changes will be lost when Pennibell ends.</source>
        <translation>Die Ereignisse konnten nicht gespeichert werden in
%1.
Ihre Änderungen gehen verloren, wenn Pennibell endet.</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="421"/>
        <source>Event will be deleted.
Are you sure?</source>
        <translation>Das Ereignis wird gelöscht.
Sind Sie sicher?</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="442"/>
        <source>All of the expired events will be deleted.
Are you sure to do this?</source>
        <translation>Alle abgelaufenen Ereignisse werden gelöscht.
Möchten Sie das wirklich tun?</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="466"/>
        <source>The options could not be saved to
%1.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden in
%1.</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="471"/>
        <source>The start at log-on could not be changed.</source>
        <translation>Der Start bei der Anmeldung konnte nicht geändert werden.</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="756"/>
        <source>Dismiss reminder</source>
        <translation>Erinnerung schließen</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="495"/>
        <source>No program could be started to show the manual. You can open it yourself:
%1</source>
        <translation>Es konnte kein Programm gestartet werden, um die Anleitung anzuzeigen. Sie können sie selbst öffnen:
%1</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="703"/>
        <source>Replace your %1 events with the %2 events of %3?</source>
        <translation>Ihre %1 Ereignisse durch die %2 Ereignisse aus %3 ersetzen?</translation>
    </message>
    <message>
        <location filename="../src/gui/main/mainwindow.cpp" line="725"/>
        <source>Restored %1 events.</source>
        <translation>%1 Ereignisse wiederhergestellt.</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="153"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="165"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="176"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="188"/>
        <source>&amp;Add event</source>
        <translation>Ereignis &amp;hinzufügen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="196"/>
        <source>&amp;Delete event</source>
        <translation>Ereignis &amp;löschen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="204"/>
        <source>&amp;Bakup</source>
        <translation>&amp;Sichern</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="209"/>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="214"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="222"/>
        <source>&amp;Edit event</source>
        <translation>Ereignis &amp;bearbeiten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="227"/>
        <source>&amp;Hide to Tray</source>
        <translation>&amp;Im Infobereich ablegen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="232"/>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Pennibell</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="237"/>
        <source>&amp;Preview event</source>
        <translation>Ereignis&amp;vorschau</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="242"/>
        <source>&amp;Options</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="247"/>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/mainwindow.ui" line="255"/>
        <source>Delete e&amp;xpired events</source>
        <translation>&amp;Abgelaufene Ereignisse löschen</translation>
    </message>
</context>
<context>
    <name>MakerInfo</name>
    <message>
        <location filename="../src/core/system/makerinfo.h" line="18"/>
        <source>Copyright (C) 2026 The Pennibell makers</source>
        <translation>Copyright (C) 2026 Die Pennibell-Macher</translation>
    </message>
    <message>
        <location filename="../src/core/system/makerinfo.h" line="24"/>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <location filename="../src/core/system/makerinfo.h" line="28"/>
        <source>Free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder neuer. Ohne jede Gewährleistung.</translation>
    </message>
</context>
<context>
    <name>MissedDialog</name>
    <message>
        <location filename="../src/gui/main/misseddialog.cpp" line="15"/>
        <source>Pennibell</source>
        <translation>Pennibell</translation>
    </message>
    <message>
        <location filename="../src/gui/main/misseddialog.cpp" line="17"/>
        <source>While Pennibell was not running:</source>
        <translation>Während Pennibell nicht lief:</translation>
    </message>
    <message>
        <location filename="../src/gui/main/misseddialog.cpp" line="21"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../src/gui/main/misseddialog.cpp" line="21"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location filename="../src/gui/main/misseddialog.cpp" line="21"/>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <location filename="../src/gui/main/misseddialog.cpp" line="39"/>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location filename="../src/gui/main/misseddialog.cpp" line="40"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>NextReminder</name>
    <message>
        <location filename="../src/core/events/nextreminder.cpp" line="25"/>
        <source>Pennibell</source>
        <translation>Pennibell</translation>
    </message>
    <message>
        <location filename="../src/core/events/nextreminder.cpp" line="30"/>
        <source>Next: %1, %2</source>
        <translation>Als Nächstes: %1, %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/core/events/nextreminder.cpp" line="44"/>
        <source>%n more due today</source>
        <translation>
            <numerusform>Heute noch %n weitere Erinnerung</numerusform>
            <numerusform>Heute noch %n weitere Erinnerungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PaintCPanel</name>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="6"/>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="7"/>
        <source>Pencil</source>
        <translation>Stift</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="8"/>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="9"/>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="10"/>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="11"/>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="12"/>
        <source>Rubber</source>
        <translation>Radierer</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="13"/>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="14"/>
        <source>Line Width(1~100)</source>
        <translation>Linienbreite (1~100)</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="16"/>
        <source>Set Event</source>
        <translation>Ereignis festlegen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="18"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/paintcpanel.ui" line="19"/>
        <source>Cancel</source>
        <translation>Abbruch</translation>
    </message>
    <message>
        <location filename="../src/gui/paint/paintcpanel.cpp" line="98"/>
        <location filename="../src/gui/paint/paintcpanel.cpp" line="232"/>
        <location filename="../src/gui/paint/paintcpanel.cpp" line="247"/>
        <location filename="../src/gui/paint/paintcpanel.cpp" line="278"/>
        <source>Paint</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <location filename="../src/gui/paint/paintcpanel.cpp" line="233"/>
        <source>The picture could not be saved to &quot;%1&quot;:
%2</source>
        <translation>Das Bild konnte nicht unter „%1“ gespeichert werden:
%2</translation>
    </message>
    <message>
        <location filename="../src/gui/paint/paintcpanel.cpp" line="248"/>
        <source>Event has not been saved.
Do you want to quit without saving?</source>
        <translation>Das Ereignis wurde nicht gespeichert.
Möchten Sie ohne Speichern beenden?</translation>
    </message>
</context>
<context>
    <name>PaintWidget</name>
    <message>
        <location filename="../src/gui/paint/paintwidget.cpp" line="38"/>
        <location filename="../src/gui/paint/paintwidget.cpp" line="54"/>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <location filename="../src/core/storage/safefile.cpp" line="144"/>
        <location filename="../src/core/storage/safefile.cpp" line="155"/>
        <source>The file was not written completely.</source>
        <translation>Die Datei wurde nicht vollständig geschrieben.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/safefile.cpp" line="199"/>
        <location filename="../src/core/storage/safefile.cpp" line="215"/>
        <location filename="../src/core/storage/safefile.cpp" line="223"/>
        <source>This is not a regular file.</source>
        <translation>Dies ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <location filename="../src/core/storage/safefile.cpp" line="206"/>
        <location filename="../src/core/storage/safefile.cpp" line="227"/>
        <source>The file is larger than any the program writes.</source>
        <translation>Die Datei ist größer als jede, die das Programm schreibt.</translation>
    </message>
</context>
<context>
    <name>SettingDialog</name>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="9"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="58"/>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="65"/>
        <source>Auto start Pennibell when windows starts</source>
        <translation>Pennibell beim Anmelden automatisch starten</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="73"/>
        <source>Minimize the window when Pennibell starts</source>
        <translation>Fenster beim Start von Pennibell minimieren</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="82"/>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="89"/>
        <source>Effective event</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="97"/>
        <source>Expired event</source>
        <translation>Abgelaufen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="125"/>
        <source>Operation remind</source>
        <translation>Rückfragen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="132"/>
        <source>Delete event</source>
        <translation>Beim Löschen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="140"/>
        <source>Quit without saving</source>
        <translation>Beim Abbrechen</translation>
    </message>
    <message>
        <location filename="../src/gui/options/settingdialog.cpp" line="16"/>
        <location filename="../src/gui/options/settingdialog.cpp" line="95"/>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="27"/>
        <source>Show reminders on</source>
        <translation>Erinnerungen zeigen auf</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="39"/>
        <source>the primary screen</source>
        <translation>dem Hauptbildschirm</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="44"/>
        <source>the screen with the pointer</source>
        <translation>dem Bildschirm am Zeiger</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="49"/>
        <source>every screen</source>
        <translation>jedem Bildschirm</translation>
    </message>
    <message>
        <location filename="../src/gui/forms/settingdialog.ui" line="149"/>
        <source>Play a sound when a reminder appears</source>
        <translation>Einen Ton spielen, wenn eine Erinnerung erscheint</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <location filename="../src/core/system/singleinstance.cpp" line="92"/>
        <source>The lock file %1 is not Pennibell&apos;s own file. Remove it, then start Pennibell again.</source>
        <translation>Die Sperrdatei %1 ist nicht Pennibells eigene Datei. Entfernen Sie sie und starten Sie Pennibell erneut.</translation>
    </message>
    <message>
        <location filename="../src/core/system/singleinstance.cpp" line="106"/>
        <source>Pennibell is already running on %1, but does not answer.</source>
        <translation>Pennibell läuft bereits auf %1, antwortet aber nicht.</translation>
    </message>
    <message>
        <location filename="../src/core/system/singleinstance.cpp" line="108"/>
        <source>The lock file %1 cannot be made.</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>SnoozeChoice</name>
    <message>
        <location filename="../src/core/events/snoozechoice.cpp" line="16"/>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/core/events/snoozechoice.cpp" line="17"/>
        <source>Again in 5 minutes</source>
        <translation>In 5 Minuten erneut</translation>
    </message>
    <message>
        <location filename="../src/core/events/snoozechoice.cpp" line="18"/>
        <source>Again in 15 minutes</source>
        <translation>In 15 Minuten erneut</translation>
    </message>
    <message>
        <location filename="../src/core/events/snoozechoice.cpp" line="19"/>
        <source>Again in 1 hour</source>
        <translation>In 1 Stunde erneut</translation>
    </message>
    <message>
        <location filename="../src/core/events/snoozechoice.cpp" line="20"/>
        <source>Again tomorrow at this time</source>
        <translation>Morgen um diese Zeit erneut</translation>
    </message>
</context>
<context>
    <name>CalendarDialogs</name>
    <message>
        <source>Calendar files (*.ics);;All files (*)</source>
        <translation>Kalenderdateien (*.ics);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Import Calendar</source>
        <translation>Kalender importieren</translation>
    </message>
    <message>
        <source>Reading the calendar…</source>
        <translation>Kalender wird gelesen …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Nothing in the file can be imported.</source>
        <translation>Aus der Datei lässt sich nichts importieren.</translation>
    </message>
    <message numerus="yes">
        <source>%n new event(s) will be added</source>
        <translation>
            <numerusform>%n neues Ereignis wird hinzugefügt</numerusform>
            <numerusform>%n neue Ereignisse werden hinzugefügt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) imported before will be updated.</source>
        <translation>
            <numerusform>%n früher importiertes Ereignis wird aktualisiert.</numerusform>
            <numerusform>%n früher importierte Ereignisse werden aktualisiert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… und %n weiteres</numerusform>
            <numerusform>… und %n weitere</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) cannot repeat the way the file says:</source>
        <translation>
            <numerusform>%n Ereignis kann sich nicht so wiederholen, wie die Datei es angibt:</numerusform>
            <numerusform>%n Ereignisse können sich nicht so wiederholen, wie die Datei es angibt:</numerusform>
        </translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Import the Rest</source>
        <translation>Den Rest importieren</translation>
    </message>
    <message>
        <source>Import Nothing</source>
        <translation>Nichts importieren</translation>
    </message>
    <message>
        <source>Importing the events…</source>
        <translation>Ereignisse werden importiert …</translation>
    </message>
    <message>
        <source>Export Calendar</source>
        <translation>Kalender exportieren</translation>
    </message>
</context>
<context>
    <name>CalendarExport</name>
    <message>
        <source>The calendar file %1 cannot be written: %2</source>
        <translation>Die Kalenderdatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>No event has the identifier %1.</source>
        <translation>Kein Ereignis hat die Kennung %1.</translation>
    </message>
</context>
<context>
    <name>CalendarImport</name>
    <message>
        <source>The import was cancelled.</source>
        <translation>Der Import wurde abgebrochen.</translation>
    </message>
    <message numerus="yes">
        <source>Nothing imported: %n event(s) cannot be repeated the way the file says.</source>
        <translation>
            <numerusform>Nichts importiert: %n Ereignis kann nicht so wiederholt werden, wie die Datei es angibt.</numerusform>
            <numerusform>Nichts importiert: %n Ereignisse können nicht so wiederholt werden, wie die Datei es angibt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) added, </source>
        <translation>
            <numerusform>%n Ereignis hinzugefügt, </numerusform>
            <numerusform>%n Ereignisse hinzugefügt, </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n updated.</source>
        <translation>
            <numerusform>%n aktualisiert.</numerusform>
            <numerusform>%n aktualisiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>A line of the file is longer than a calendar ever writes.</source>
        <translation>Eine Zeile der Datei ist länger, als ein Kalender sie je schreibt.</translation>
    </message>
    <message>
        <source>The file is not an iCalendar file.</source>
        <translation>Die Datei ist keine iCalendar-Datei.</translation>
    </message>
    <message>
        <source>The file&apos;s entries are nested deeper than a calendar&apos;s.</source>
        <translation>Die Einträge der Datei sind tiefer verschachtelt als die eines Kalenders.</translation>
    </message>
    <message>
        <source>The file holds more than %1 events, more than the program keeps.</source>
        <translation>Die Datei enthält mehr als %1 Ereignisse, mehr als das Programm verwaltet.</translation>
    </message>
    <message>
        <source>The file is damaged: an entry ends that never began.</source>
        <translation>Die Datei ist beschädigt: Ein Eintrag endet, der nie begonnen hat.</translation>
    </message>
    <message>
        <source>The file is damaged: it ends in the middle of an entry.</source>
        <translation>Die Datei ist beschädigt: Sie endet mitten in einem Eintrag.</translation>
    </message>
    <message>
        <source>its picture is damaged</source>
        <translation>sein Bild ist beschädigt</translation>
    </message>
    <message>
        <source>its picture is larger than any screen</source>
        <translation>sein Bild ist größer als jeder Bildschirm</translation>
    </message>
    <message>
        <source>(no title)</source>
        <translation>(ohne Titel)</translation>
    </message>
    <message>
        <source>appears twice in the file</source>
        <translation>steht zweimal in der Datei</translation>
    </message>
    <message>
        <source>has no due date</source>
        <translation>hat kein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>has no start</source>
        <translation>hat keinen Beginn</translation>
    </message>
    <message>
        <source>The time zone &quot;%1&quot; of &quot;%2&quot; is not known.</source>
        <translation>Die Zeitzone „%1“ von „%2“ ist unbekannt.</translation>
    </message>
    <message>
        <source>has several repeat rules</source>
        <translation>hat mehrere Wiederholungsregeln</translation>
    </message>
    <message>
        <source>leaves out single dates</source>
        <translation>lässt einzelne Termine aus</translation>
    </message>
    <message>
        <source>adds single dates</source>
        <translation>fügt einzelne Termine hinzu</translation>
    </message>
    <message>
        <source>repeats by the clock of another time zone</source>
        <translation>wiederholt sich nach der Uhr einer anderen Zeitzone</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be imported: %2.</source>
        <translation>„%1“ kann nicht importiert werden: %2.</translation>
    </message>
    <message>
        <source>has occurrences changed one by one</source>
        <translation>hat einzeln geänderte Termine</translation>
    </message>
    <message>
        <source>The file %1 is larger than 64 MB; no calendar is that large.</source>
        <translation>Die Datei %1 ist größer als 64 MB; so groß ist kein Kalender.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: %2</source>
        <translation>Die Datei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The file is larger than 64 MB; no calendar is that large.</source>
        <translation>Die Datei ist größer als 64 MB; so groß ist kein Kalender.</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>With the %1 new events there would be more than %2, more than the program keeps.</source>
        <translation>Mit den %1 neuen Ereignissen wären es mehr als %2, mehr als das Programm verwaltet.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>CalendarRule</name>
    <message>
        <source>repeats on a weekday of the month</source>
        <translation>wiederholt sich an einem Wochentag des Monats</translation>
    </message>
    <message>
        <source>repeats on weekdays only</source>
        <translation>wiederholt sich nur an Werktagen</translation>
    </message>
    <message>
        <source>repeats on chosen days of the week</source>
        <translation>wiederholt sich an gewählten Wochentagen</translation>
    </message>
    <message>
        <source>has a repeat rule that cannot be read</source>
        <translation>hat eine unlesbare Wiederholungsregel</translation>
    </message>
    <message>
        <source>repeats a fixed number of times</source>
        <translation>wiederholt sich eine feste Anzahl von Malen</translation>
    </message>
    <message>
        <source>repeats until a date</source>
        <translation>wiederholt sich bis zu einem Datum</translation>
    </message>
    <message>
        <source>repeats by another calendar</source>
        <translation>wiederholt sich nach einem anderen Kalender</translation>
    </message>
    <message>
        <source>repeats at chosen times of the day</source>
        <translation>wiederholt sich zu gewählten Tageszeiten</translation>
    </message>
    <message>
        <source>repeats on chosen days of the year</source>
        <translation>wiederholt sich an gewählten Tagen des Jahres</translation>
    </message>
    <message>
        <source>skips the months without day %1</source>
        <translation>überspringt die Monate ohne einen %1.</translation>
    </message>
    <message>
        <source>repeats on the last day of each month</source>
        <translation>wiederholt sich am letzten Tag jedes Monats</translation>
    </message>
    <message>
        <source>repeats on a chosen one of several days</source>
        <translation>wiederholt sich an einem gewählten von mehreren Tagen</translation>
    </message>
    <message>
        <source>repeats on chosen days of the month</source>
        <translation>wiederholt sich an gewählten Tagen des Monats</translation>
    </message>
    <message>
        <source>repeats in chosen months</source>
        <translation>wiederholt sich in gewählten Monaten</translation>
    </message>
    <message>
        <source>falls on 29 February in leap years only</source>
        <translation>fällt nur in Schaltjahren auf den 29. Februar</translation>
    </message>
    <message>
        <source>repeats every few seconds</source>
        <translation>wiederholt sich alle paar Sekunden</translation>
    </message>
</context>
</TS>
