<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
    <context>
        <name>AffairEditDialog</name>
        <message>
            <source>Event Information</source>
            <translation>Ereignisdetails</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Ereignis</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>Titel</translation>
        </message>
        <message>
            <source>Date</source>
            <translation>Datum</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Zeit</translation>
        </message>
        <message>
            <source>Period Type</source>
            <translation>Rhythmus</translation>
        </message>
        <message>
            <source>Once</source>
            <translation>Einmal</translation>
        </message>
        <message>
            <source>Minute</source>
            <translation>Minute</translation>
        </message>
        <message>
            <source>Hour</source>
            <translation>Stunde</translation>
        </message>
        <message>
            <source>Day</source>
            <translation>Tag</translation>
        </message>
        <message>
            <source>Week</source>
            <translation>Woche</translation>
        </message>
        <message>
            <source>Month</source>
            <translation>Monat</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Jahr</translation>
        </message>
        <message>
            <source>Period Data</source>
            <translation>Abstand</translation>
        </message>
        <message>
            <source>Effect</source>
            <translation>Effekt</translation>
        </message>
        <message>
            <source>Bounce</source>
            <translation>Hüpfen</translation>
        </message>
        <message>
            <source>Blinds Horizontal</source>
            <translation>Jalousie waagerecht</translation>
        </message>
        <message>
            <source>Blinds Vertical</source>
            <translation>Jalousie senkrecht</translation>
        </message>
        <message>
            <source>Push Up</source>
            <translation>Schieben nach oben</translation>
        </message>
        <message>
            <source>Push Down</source>
            <translation>Schieben nach unten</translation>
        </message>
        <message>
            <source>Push Left</source>
            <translation>Schieben nach links</translation>
        </message>
        <message>
            <source>Push Right</source>
            <translation>Schieben nach rechts</translation>
        </message>
        <message>
            <source>Push Left-Up</source>
            <translation>Schieben nach links oben</translation>
        </message>
        <message>
            <source>Push Right-Up</source>
            <translation>Schieben nach rechts oben</translation>
        </message>
        <message>
            <source>Push Left-Down</source>
            <translation>Schieben nach links unten</translation>
        </message>
        <message>
            <source>Push Right-Down</source>
            <translation>Schieben nach rechts unten</translation>
        </message>
        <message>
            <source>Spread Up</source>
            <translation>Ausbreiten nach oben</translation>
        </message>
        <message>
            <source>Spread Down</source>
            <translation>Ausbreiten nach unten</translation>
        </message>
        <message>
            <source>Spread Left</source>
            <translation>Ausbreiten nach links</translation>
        </message>
        <message>
            <source>Spread Right</source>
            <translation>Ausbreiten nach rechts</translation>
        </message>
        <message>
            <source>Spread Left-Up</source>
            <translation>Ausbreiten nach links oben</translation>
        </message>
        <message>
            <source>Spread Right-Up</source>
            <translation>Ausbreiten nach rechts oben</translation>
        </message>
        <message>
            <source>Spread Left-Down</source>
            <translation>Ausbreiten nach links unten</translation>
        </message>
        <message>
            <source>Spread Right-Down</source>
            <translation>Ausbreiten nach rechts unten</translation>
        </message>
        <message>
            <source>This moment has passed, so the event will never be shown. Save it anyway?</source>
            <translation>Dieser Zeitpunkt ist vorbei, das Ereignis wird also nie angezeigt. Trotzdem speichern?</translation>
        </message>
    </context>
    <context>
        <name>AffairStore</name>
        <message>
            <source>The events could not be saved to %1.</source>
            <translation>Die Ereignisse konnten nicht in %1 gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>BackupArchive</name>
        <message>
            <source>The event list %1 cannot be read: %2</source>
            <translation>Die Ereignisliste %1 kann nicht gelesen werden: %2</translation>
        </message>
        <message>
            <source>You have nothing to backup.</source>
            <translation>Es gibt nichts zu sichern.</translation>
        </message>
        <message>
            <source>The folder %1 cannot be created.</source>
            <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
        </message>
        <message>
            <source>The backup file %1 cannot be written: %2</source>
            <translation>Die Sicherungsdatei %1 kann nicht geschrieben werden: %2</translation>
        </message>
        <message>
            <source>The picture %1 cannot be read: %2</source>
            <translation>Das Bild %1 kann nicht gelesen werden: %2</translation>
        </message>
        <message>
            <source>The file ends before the length of the event list.</source>
            <translation>Die Datei endet vor der Längenangabe der Ereignisliste.</translation>
        </message>
        <message>
            <source>The event list has a negative length (%1).</source>
            <translation>Die Ereignisliste hat eine negative Länge (%1).</translation>
        </message>
        <message>
            <source>The event list is longer (%1 bytes) than the data left (%2 bytes).</source>
            <translation>Die Ereignisliste ist länger (%1 Bytes) als die verbleibenden Daten (%2 Bytes).</translation>
        </message>
        <message>
            <source>The event list does not decompress.</source>
            <translation>Die Ereignisliste lässt sich nicht entpacken.</translation>
        </message>
        <message>
            <source>The event list is not an event file.</source>
            <translation>Die Ereignisliste ist keine Ereignisdatei.</translation>
        </message>
        <message>
            <source>A temporary file cannot be written: %1</source>
            <translation>Eine temporäre Datei kann nicht geschrieben werden: %1</translation>
        </message>
        <message>
            <source>The file ends inside the length of picture %1.</source>
            <translation>Die Datei endet innerhalb der Längenangabe von Bild %1.</translation>
        </message>
        <message>
            <source>Picture %1 has a negative length (%2).</source>
            <translation>Bild %1 hat eine negative Länge (%2).</translation>
        </message>
        <message>
            <source>Picture %1 is longer (%2 bytes) than the data left (%3 bytes).</source>
            <translation>Bild %1 ist länger (%2 Bytes) als die verbleibenden Daten (%3 Bytes).</translation>
        </message>
        <message>
            <source>The file holds more pictures than its %1 events.</source>
            <translation>Die Datei enthält mehr Bilder als ihre %1 Ereignisse.</translation>
        </message>
        <message>
            <source>Event %1 names the picture path "%2", which is not one the program makes.</source>
            <translation>Ereignis %1 nennt den Bildpfad „%2“, den das Programm nicht selbst anlegt.</translation>
        </message>
        <message>
            <source>%1 cannot be written: %2</source>
            <translation>%1 kann nicht geschrieben werden: %2</translation>
        </message>
        <message>
            <source>Nothing was changed.</source>
            <translation>Es wurde nichts geändert.</translation>
        </message>
        <message>
            <source>The event list was not changed; %1 pictures were already replaced.</source>
            <translation>Die Ereignisliste wurde nicht geändert; %1 Bilder waren bereits ersetzt.</translation>
        </message>
        <message>
            <source>The file %1 cannot be read: %2</source>
            <translation>Die Datei %1 kann nicht gelesen werden: %2</translation>
        </message>
        <message>
            <source>The file %1 is not a sound backup: %2</source>
            <translation>Die Datei %1 ist keine intakte Sicherung: %2</translation>
        </message>
        <message>
            <source>The event list holds no events.</source>
            <translation>Die Ereignisliste enthält keine Ereignisse.</translation>
        </message>
        <message>
            <source>Picture %1 is larger than any the program writes.</source>
            <translation>Bild %1 ist größer als jedes, das das Programm schreibt.</translation>
        </message>
        <message>
            <source>Picture %1 belongs to an event without a picture path.</source>
            <translation>Bild %1 gehört zu einem Ereignis ohne Bildpfad.</translation>
        </message>
    </context>
    <context>
        <name>CommandLine</name>
        <message>
            <source>Picture reminders on your desktop.</source>
            <translation>Bilder als Erinnerung auf dem Schreibtisch.</translation>
        </message>
        <message>
            <source>Show this help and exit.</source>
            <translation>Diese Hilfe zeigen und beenden.</translation>
        </message>
        <message>
            <source>Show the version and licence and exit.</source>
            <translation>Version und Lizenz zeigen und beenden.</translation>
        </message>
        <message>
            <source>Unexpected argument '%1'.</source>
            <translation>Unerwartetes Argument „%1“.</translation>
        </message>
        <message>
            <source>Try '%1 --help'.</source>
            <translation>Siehe „%1 --help“.</translation>
        </message>
    </context>
    <context>
        <name>DAboutDialog</name>
        <message>
            <source>Dialog</source>
            <translation>Dialog</translation>
        </message>
        <message>
            <source>Vsn</source>
            <translation>Vers.</translation>
        </message>
        <message>
            <source>CRST</source>
            <translation>Copyright</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>Titel</translation>
        </message>
        <message>
            <source>Web</source>
            <translation>Web</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>E-Mail</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Über Pennibell</translation>
        </message>
        <message>
            <source>Pennibell</source>
            <translation>Pennibell</translation>
        </message>
        <message>
            <source>No program could be started to show the web site. You can open it yourself:
%1</source>
            <translation>Es konnte kein Programm gestartet werden, um die Webseite anzuzeigen. Sie können sie selbst öffnen:
%1</translation>
        </message>
        <message>
            <source>No program could be started to write an e-mail. You can write to:
%1</source>
            <translation>Es konnte kein Programm gestartet werden, um eine E-Mail zu schreiben. Sie können selbst schreiben an:
%1</translation>
        </message>
    </context>
    <context>
        <name>DataLocation</name>
        <message>
            <source>Pennibell has no folder to keep its events in: this user has no home folder (HOME is not set).</source>
            <translation>Pennibell hat keinen Ordner für seine Ereignisse: Dieser Benutzer hat keinen persönlichen Ordner (HOME ist nicht gesetzt).</translation>
        </message>
        <message>
            <source>%1 does not exist, and no folder can be made in %2.</source>
            <translation>%1 existiert nicht, und in %2 kann kein Ordner angelegt werden.</translation>
        </message>
        <message>
            <source>%1 is a file, not a folder.</source>
            <translation>%1 ist eine Datei, kein Ordner.</translation>
        </message>
        <message>
            <source>Pennibell cannot use its data folder %1: %2</source>
            <translation>Pennibell kann seinen Datenordner %1 nicht verwenden: %2</translation>
        </message>
        <message>
            <source>Pennibell cannot use its data folder %1: nothing can be written in it.</source>
            <translation>Pennibell kann seinen Datenordner %1 nicht verwenden: Darin kann nichts geschrieben werden.</translation>
        </message>
    </context>
    <context>
        <name>EffectCodes</name>
        <message>
            <source>Bounce</source>
            <translation>Hüpfen</translation>
        </message>
        <message>
            <source>Blinds Horizontal</source>
            <translation>Jalousie waagerecht</translation>
        </message>
        <message>
            <source>Blinds Vertical</source>
            <translation>Jalousie senkrecht</translation>
        </message>
        <message>
            <source>Push Up</source>
            <translation>Schieben nach oben</translation>
        </message>
        <message>
            <source>Push Down</source>
            <translation>Schieben nach unten</translation>
        </message>
        <message>
            <source>Push Left</source>
            <translation>Schieben nach links</translation>
        </message>
        <message>
            <source>Push Right</source>
            <translation>Schieben nach rechts</translation>
        </message>
        <message>
            <source>Push Left-Up</source>
            <translation>Schieben nach links oben</translation>
        </message>
        <message>
            <source>Push Right-Up</source>
            <translation>Schieben nach rechts oben</translation>
        </message>
        <message>
            <source>Push Left-Down</source>
            <translation>Schieben nach links unten</translation>
        </message>
        <message>
            <source>Push Right-Down</source>
            <translation>Schieben nach rechts unten</translation>
        </message>
        <message>
            <source>Spread Up</source>
            <translation>Ausbreiten nach oben</translation>
        </message>
        <message>
            <source>Spread Down</source>
            <translation>Ausbreiten nach unten</translation>
        </message>
        <message>
            <source>Spread Left</source>
            <translation>Ausbreiten nach links</translation>
        </message>
        <message>
            <source>Spread Right</source>
            <translation>Ausbreiten nach rechts</translation>
        </message>
        <message>
            <source>Spread Left-Up</source>
            <translation>Ausbreiten nach links oben</translation>
        </message>
        <message>
            <source>Spread Right-Up</source>
            <translation>Ausbreiten nach rechts oben</translation>
        </message>
        <message>
            <source>Spread Left-Down</source>
            <translation>Ausbreiten nach links unten</translation>
        </message>
        <message>
            <source>Spread Right-Down</source>
            <translation>Ausbreiten nach rechts unten</translation>
        </message>
    </context>
    <context>
        <name>EffectShow</name>
        <message>
            <source>The picture of this reminder cannot be shown.</source>
            <translation>Das Bild dieser Erinnerung kann nicht angezeigt werden.</translation>
        </message>
    </context>
    <context>
        <name>EventTableModel</name>
        <message>
            <source>Yes</source>
            <translation>Ja</translation>
        </message>
        <message>
            <source>No</source>
            <translation>Nein</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>Titel</translation>
        </message>
        <message>
            <source>Date</source>
            <translation>Datum</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Uhrzeit</translation>
        </message>
        <message>
            <source>Period</source>
            <translation>Intervall</translation>
        </message>
        <message>
            <source>Effective</source>
            <translation>Aktiv</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Pennibell</source>
            <translation>Pennibell</translation>
        </message>
        <message>
            <source>Add New</source>
            <translation>Neues Ereignis</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>Bearbeiten</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Preview</source>
            <translation>Vorschau</translation>
        </message>
        <message>
            <source>Add event</source>
            <translation>Ereignis hinzufügen</translation>
        </message>
        <message>
            <source>Delete event</source>
            <translation>Ereignis löschen</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>Ereignis bearbeiten</translation>
        </message>
        <message>
            <source>Preview event</source>
            <translation>Ereignisvorschau</translation>
        </message>
        <message>
            <source>Options</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>Contents</source>
            <translation>Inhalt</translation>
        </message>
        <message>
            <source>You have nothing to backup.
</source>
            <translation>Es gibt nichts zu sichern.
</translation>
        </message>
        <message>
            <source>Backup File</source>
            <translation>Sicherung</translation>
        </message>
        <message>
            <source>Backup success.
</source>
            <translation>Sicherung erfolgreich.
</translation>
        </message>
        <message>
            <source>Backup failed.
</source>
            <translation>Sicherung fehlgeschlagen.
</translation>
        </message>
        <message>
            <source>Restore File</source>
            <translation>Sicherung wiederherstellen</translation>
        </message>
        <message>
            <source>Backup file (*.bef);;All files (*.*)</source>
            <translation>Sicherungsdatei (*.bef);;Alle Dateien (*.*)</translation>
        </message>
        <message>
            <source>Restore failed.
</source>
            <translation>Wiederherstellung fehlgeschlagen.
</translation>
        </message>
        <message>
            <source>year</source>
            <translation>Jahr(e)</translation>
        </message>
        <message>
            <source>month</source>
            <translation>Monat(e)</translation>
        </message>
        <message>
            <source>week</source>
            <translation>Woche(n)</translation>
        </message>
        <message>
            <source>day</source>
            <translation>Tag(e)</translation>
        </message>
        <message>
            <source>hour</source>
            <translation>Stunde(n)</translation>
        </message>
        <message>
            <source>minute</source>
            <translation>Minute(n)</translation>
        </message>
        <message>
            <source>Once</source>
            <translation>Einmalig</translation>
        </message>
        <message>
            <source>Show</source>
            <translation>Anzeigen</translation>
        </message>
        <message>
            <source>Hide</source>
            <translation>Ausblenden</translation>
        </message>
        <message>
            <source>Save events</source>
            <translation>Ereignisse speichern</translation>
        </message>
        <message>
            <source>Event will be deleted.
Are you sure?</source>
            <translation>Das Ereignis wird gelöscht.
Sind Sie sicher?</translation>
        </message>
        <message>
            <source>All of the expired events will be deleted.
Are you sure to do this?</source>
            <translation>Alle abgelaufenen Ereignisse werden gelöscht.
Möchten Sie das wirklich tun?</translation>
        </message>
        <message>
            <source>The options could not be saved to
%1.</source>
            <translation>Die Einstellungen konnten nicht gespeichert werden in
%1.</translation>
        </message>
        <message>
            <source>The start at log-on could not be changed.</source>
            <translation>Der Start bei der Anmeldung konnte nicht geändert werden.</translation>
        </message>
        <message>
            <source>No program could be started to show the manual. You can open it yourself:
%1</source>
            <translation>Es konnte kein Programm gestartet werden, um die Anleitung anzuzeigen. Sie können sie selbst öffnen:
%1</translation>
        </message>
        <message>
            <source>Replace your %1 events with the %2 events of %3?</source>
            <translation>Ihre %1 Ereignisse durch die %2 Ereignisse aus %3 ersetzen?</translation>
        </message>
        <message>
            <source>Restored %1 events.</source>
            <translation>%1 Ereignisse wiederhergestellt.</translation>
        </message>
        <message>
            <source>&amp;File</source>
            <translation>&amp;Datei</translation>
        </message>
        <message>
            <source>&amp;Edit</source>
            <translation>&amp;Bearbeiten</translation>
        </message>
        <message>
            <source>&amp;Help</source>
            <translation>&amp;Hilfe</translation>
        </message>
        <message>
            <source>&amp;Add event</source>
            <translation>Ereignis &amp;hinzufügen</translation>
        </message>
        <message>
            <source>&amp;Delete event</source>
            <translation>Ereignis &amp;löschen</translation>
        </message>
        <message>
            <source>&amp;Backup</source>
            <translation>&amp;Sichern</translation>
        </message>
        <message>
            <source>&amp;Restore</source>
            <translation>&amp;Wiederherstellen</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Beenden</translation>
        </message>
        <message>
            <source>&amp;Edit event</source>
            <translation>Ereignis &amp;bearbeiten</translation>
        </message>
        <message>
            <source>&amp;Hide to Tray</source>
            <translation>&amp;Im Infobereich ablegen</translation>
        </message>
        <message>
            <source>&amp;About</source>
            <translation>Ü&amp;ber Pennibell</translation>
        </message>
        <message>
            <source>&amp;Preview event</source>
            <translation>Ereignis&amp;vorschau</translation>
        </message>
        <message>
            <source>&amp;Options</source>
            <translation>&amp;Einstellungen</translation>
        </message>
        <message>
            <source>&amp;Contents</source>
            <translation>&amp;Inhalt</translation>
        </message>
        <message>
            <source>Delete e&amp;xpired events</source>
            <translation>&amp;Abgelaufene Ereignisse löschen</translation>
        </message>
        <message>
            <source>Snooze</source>
            <translation>Später erinnern</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>Titel</translation>
        </message>
        <message>
            <source>Date</source>
            <translation>Datum</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Uhrzeit</translation>
        </message>
        <message>
            <source>Period</source>
            <translation>Intervall</translation>
        </message>
        <message>
            <source>Effective</source>
            <translation>Aktiv</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>Ja</translation>
        </message>
        <message>
            <source>No</source>
            <translation>Nein</translation>
        </message>
        <message>
            <source>The events could not be saved to
%1.
Your changes will be lost when Pennibell ends.</source>
            <translation>Die Ereignisse konnten nicht gespeichert werden in
%1.
Ihre Änderungen gehen verloren, wenn Pennibell endet.</translation>
        </message>
        <message>
            <source>Dismiss reminder</source>
            <translation>Erinnerung schließen</translation>
        </message>
    </context>
    <context>
        <name>MakerInfo</name>
        <message>
            <source>Copyright (C) 2026 The Pennibell makers</source>
            <translation>Copyright (C) 2026 Die Pennibell-Macher</translation>
        </message>
        <message>
            <source>Version %1</source>
            <translation>Version %1</translation>
        </message>
        <message>
            <source>Free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
            <translation>Freie Software unter der GNU General Public License, Version 3 oder neuer. Ohne jede Gewährleistung.</translation>
        </message>
    </context>
    <context>
        <name>MissedDialog</name>
        <message>
            <source>Pennibell</source>
            <translation>Pennibell</translation>
        </message>
        <message>
            <source>While Pennibell was not running:</source>
            <translation>Während Pennibell nicht lief:</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>Titel</translation>
        </message>
        <message>
            <source>Date</source>
            <translation>Datum</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Uhrzeit</translation>
        </message>
        <message>
            <source>Show</source>
            <translation>Anzeigen</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
    </context>
    <context>
        <name>NextReminder</name>
        <message>
            <source>Pennibell</source>
            <translation>Pennibell</translation>
        </message>
        <message>
            <source>Next: %1, %2</source>
            <translation>Als Nächstes: %1, %2</translation>
        </message>
        <message numerus="yes">
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
            <source>Form</source>
            <translation>Formular</translation>
        </message>
        <message>
            <source>Pencil</source>
            <translation>Stift</translation>
        </message>
        <message>
            <source>Line</source>
            <translation>Linie</translation>
        </message>
        <message>
            <source>Rectangle</source>
            <translation>Rechteck</translation>
        </message>
        <message>
            <source>Ellipse</source>
            <translation>Ellipse</translation>
        </message>
        <message>
            <source>Text</source>
            <translation>Text</translation>
        </message>
        <message>
            <source>Rubber</source>
            <translation>Radierer</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Farbe</translation>
        </message>
        <message>
            <source>Line Width(1~100)</source>
            <translation>Linienbreite (1~100)</translation>
        </message>
        <message>
            <source>Set Event</source>
            <translation>Ereignis festlegen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbruch</translation>
        </message>
        <message>
            <source>Paint</source>
            <translation>Zeichnen</translation>
        </message>
        <message>
            <source>The picture could not be saved to "%1":
%2</source>
            <translation>Das Bild konnte nicht unter „%1“ gespeichert werden:
%2</translation>
        </message>
        <message>
            <source>Event has not been saved.
Do you want to quit without saving?</source>
            <translation>Das Ereignis wurde nicht gespeichert.
Möchten Sie ohne Speichern beenden?</translation>
        </message>
        <message>
            <source>Fill</source>
            <translation>Füllen</translation>
        </message>
        <message>
            <source>Font</source>
            <translation>Schriftart</translation>
        </message>
        <message>
            <source>Undo</source>
            <translation>Rückgängig</translation>
        </message>
        <message>
            <source>Redo</source>
            <translation>Wiederholen</translation>
        </message>
        <message>
            <source>Open picture…</source>
            <translation>Bild öffnen…</translation>
        </message>
        <message>
            <source>Open a picture file (Ctrl+O), or paste one with Ctrl+V</source>
            <translation>Eine Bilddatei öffnen (Strg+O) oder ein Bild mit Strg+V einfügen</translation>
        </message>
        <message>
            <source>%1 (%2)</source>
            <translation>%1 (%2)</translation>
        </message>
        <message>
            <source>[ thinner, ] thicker</source>
            <translation>[ dünner, ] dicker</translation>
        </message>
        <message>
            <source>Open picture</source>
            <translation>Bild öffnen</translation>
        </message>
        <message>
            <source>Pictures (%1)</source>
            <translation>Bilder (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Alle Dateien (*)</translation>
        </message>
        <message>
            <source>"%1" could not be opened:
%2</source>
            <translation>„%1“ konnte nicht geöffnet werden:
%2</translation>
        </message>
        <message>
            <source>The clipboard holds no picture.</source>
            <translation>In der Zwischenablage ist kein Bild.</translation>
        </message>
        <message>
            <source>The picture could not be pasted:
%1</source>
            <translation>Das Bild konnte nicht eingefügt werden:
%1</translation>
        </message>
        <message>
            <source>What was dropped is not a picture.</source>
            <translation>Was abgelegt wurde, ist kein Bild.</translation>
        </message>
        <message>
            <source>The dropped picture could not be opened:
%1</source>
            <translation>Das abgelegte Bild konnte nicht geöffnet werden:
%1</translation>
        </message>
    </context>
    <context>
        <name>PaintWidget</name>
        <message>
            <source>Font</source>
            <translation>Schriftart</translation>
        </message>
    </context>
    <context>
        <name>ReminderBook</name>
        <message numerus="yes">
            <source>Pennibell keeps at most %n events; delete some before adding more.</source>
            <translation>
                <numerusform>Pennibell verwaltet höchstens %n Ereignis; löschen Sie welche, bevor Sie weitere hinzufügen.</numerusform>
                <numerusform>Pennibell verwaltet höchstens %n Ereignisse; löschen Sie welche, bevor Sie weitere hinzufügen.</numerusform>
            </translation>
        </message>
        <message>
            <source>The picture could not be saved.</source>
            <translation>Das Bild konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>There is no event %1.</source>
            <translation>Es gibt kein Ereignis %1.</translation>
        </message>
        <message>
            <source>No reminder is on screen.</source>
            <translation>Es wird gerade keine Erinnerung angezeigt.</translation>
        </message>
    </context>
    <context>
        <name>ReminderScreen</name>
        <message>
            <source>Dismiss reminder</source>
            <translation>Erinnerung schließen</translation>
        </message>
    </context>
    <context>
        <name>SafeFile</name>
        <message>
            <source>The file was not written completely.</source>
            <translation>Die Datei wurde nicht vollständig geschrieben.</translation>
        </message>
        <message>
            <source>This is not a regular file.</source>
            <translation>Dies ist keine gewöhnliche Datei.</translation>
        </message>
        <message>
            <source>The file is larger than any the program writes.</source>
            <translation>Die Datei ist größer als jede, die das Programm schreibt.</translation>
        </message>
    </context>
    <context>
        <name>SettingDialog</name>
        <message>
            <source>Dialog</source>
            <translation>Dialog</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Start Pennibell when I log in</source>
            <translation>Pennibell bei meiner Anmeldung starten</translation>
        </message>
        <message>
            <source>Minimize the window when Pennibell starts</source>
            <translation>Fenster beim Start von Pennibell minimieren</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Farbe</translation>
        </message>
        <message>
            <source>Effective event</source>
            <translation>Aktiv</translation>
        </message>
        <message>
            <source>Expired event</source>
            <translation>Abgelaufen</translation>
        </message>
        <message>
            <source>Operation remind</source>
            <translation>Rückfragen</translation>
        </message>
        <message>
            <source>Delete event</source>
            <translation>Beim Löschen</translation>
        </message>
        <message>
            <source>Quit without saving</source>
            <translation>Beim Abbrechen</translation>
        </message>
        <message>
            <source>Options</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>Show reminders on</source>
            <translation>Erinnerungen zeigen auf</translation>
        </message>
        <message>
            <source>the primary screen</source>
            <translation>dem Hauptbildschirm</translation>
        </message>
        <message>
            <source>the screen with the pointer</source>
            <translation>dem Bildschirm am Zeiger</translation>
        </message>
        <message>
            <source>every screen</source>
            <translation>jedem Bildschirm</translation>
        </message>
        <message>
            <source>Play a sound when a reminder appears</source>
            <translation>Einen Ton spielen, wenn eine Erinnerung erscheint</translation>
        </message>
    </context>
    <context>
        <name>SingleInstance</name>
        <message>
            <source>The lock file %1 is not Pennibell's own file. Remove it, then start Pennibell again.</source>
            <translation>Die Sperrdatei %1 ist nicht Pennibells eigene Datei. Entfernen Sie sie und starten Sie Pennibell erneut.</translation>
        </message>
        <message>
            <source>Pennibell is already running on %1, but does not answer.</source>
            <translation>Pennibell läuft bereits auf %1, antwortet aber nicht.</translation>
        </message>
        <message>
            <source>The lock file %1 cannot be made.</source>
            <translation>Die Sperrdatei %1 kann nicht angelegt werden.</translation>
        </message>
    </context>
    <context>
        <name>SnoozeChoice</name>
        <message>
            <source>Dismiss</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Again in 5 minutes</source>
            <translation>In 5 Minuten erneut</translation>
        </message>
        <message>
            <source>Again in 15 minutes</source>
            <translation>In 15 Minuten erneut</translation>
        </message>
        <message>
            <source>Again in 1 hour</source>
            <translation>In 1 Stunde erneut</translation>
        </message>
        <message>
            <source>Again tomorrow at this time</source>
            <translation>Morgen um diese Zeit erneut</translation>
        </message>
    </context>
    <context>
        <name>ImageImport</name>
        <message>
            <source>The file does not exist.</source>
            <translation>Die Datei gibt es nicht.</translation>
        </message>
        <message>
            <source>This is not a file but a folder, device or pipe.</source>
            <translation>Das ist keine Datei, sondern ein Ordner, ein Gerät oder eine Pipe.</translation>
        </message>
        <message>
            <source>The file is larger than %1 MB.</source>
            <translation>Die Datei ist größer als %1 MB.</translation>
        </message>
        <message>
            <source>The picture is larger than %1 MB.</source>
            <translation>Das Bild ist größer als %1 MB.</translation>
        </message>
        <message>
            <source>This is not a picture Pennibell can read.</source>
            <translation>Das ist kein Bild, das Pennibell lesen kann.</translation>
        </message>
        <message>
            <source>The picture is too large (%1 × %2 pixels).</source>
            <translation>Das Bild ist zu groß (%1 × %2 Pixel).</translation>
        </message>
        <message>
            <source>The picture could not be read: %1</source>
            <translation>Das Bild konnte nicht gelesen werden: %1</translation>
        </message>
        <message>
            <source>out of memory</source>
            <translation>zu wenig Speicher</translation>
        </message>
    </context>
</TS>
