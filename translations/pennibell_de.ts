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
        <source>It holds an event numbered beyond %1, more than Pennibell keeps.</source>
        <translation>Sie enthält ein Ereignis mit einer Nummer über %1, mehr als Pennibell verwaltet.</translation>
    </message>
    <message>
        <source>It is not a Pennibell event list.</source>
        <translation>Sie ist keine Ereignisliste von Pennibell.</translation>
    </message>
    <message>
        <source>A list holds at most %1 events.</source>
        <translation>Eine Liste enthält höchstens %1 Ereignisse.</translation>
    </message>
    <message>
        <source>The list would be larger than the %1 MB Pennibell reads back. Shorten some titles or remove events you no longer need.</source>
        <translation>Die Liste wäre größer als die %1 MB, die Pennibell wieder einliest. Kürzen Sie einige Titel oder entfernen Sie Ereignisse, die Sie nicht mehr brauchen.</translation>
    </message>
    <message>
        <source>It is a link to %1, which does not exist.</source>
        <translation>Sie ist eine Verknüpfung auf %1, das es nicht gibt.</translation>
    </message>
    <message>
        <source>The event list %1 cannot be read: %2
It could not be moved aside either (%3), so Pennibell saves no change over it.</source>
        <translation>Die Ereignisliste %1 kann nicht gelesen werden: %2
Sie konnte auch nicht beiseitegelegt werden (%3), daher speichert Pennibell keine Änderung darüber.</translation>
    </message>
    <message>
        <source>The event list %1 cannot be read: %2
It was kept as %3. Pennibell starts with an empty list.</source>
        <translation>Die Ereignisliste %1 kann nicht gelesen werden: %2
Sie wurde als %3 aufbewahrt. Pennibell beginnt mit einer leeren Liste.</translation>
    </message>
    <message>
        <source>The events could not be saved to %1: %2</source>
        <translation>Die Ereignisse konnten nicht in %1 gespeichert werden: %2</translation>
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
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: %2</source>
        <translation>Die Datei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it ends too early.</source>
        <translation>sie endet zu früh.</translation>
    </message>
    <message>
        <source>it is damaged at its start.</source>
        <translation>sie ist an ihrem Anfang beschädigt.</translation>
    </message>
    <message>
        <source>its list of events is damaged.</source>
        <translation>ihre Ereignisliste ist beschädigt.</translation>
    </message>
    <message>
        <source>it holds no events.</source>
        <translation>sie enthält keine Ereignisse.</translation>
    </message>
    <message>
        <source>event %1 names the picture file &quot;%2&quot;, which Pennibell does not make.</source>
        <translation>Ereignis %1 nennt die Bilddatei „%2“, die Pennibell nicht anlegt.</translation>
    </message>
    <message>
        <source>it is damaged after its list of events.</source>
        <translation>sie ist nach ihrer Ereignisliste beschädigt.</translation>
    </message>
    <message>
        <source>it holds more pictures than events.</source>
        <translation>sie enthält mehr Bilder als Ereignisse.</translation>
    </message>
    <message>
        <source>picture %1 is larger than any Pennibell draws.</source>
        <translation>Bild %1 ist größer als jedes, das Pennibell zeichnet.</translation>
    </message>
    <message>
        <source>picture %1 belongs to an event without a picture.</source>
        <translation>Bild %1 gehört zu einem Ereignis ohne Bild.</translation>
    </message>
    <message>
        <source>Event %1 names the picture file &quot;%2&quot;, which Pennibell does not make.</source>
        <translation>Ereignis %1 nennt die Bilddatei „%2“, die Pennibell nicht anlegt.</translation>
    </message>
    <message>
        <source>No new name is left for a picture.</source>
        <translation>Für ein Bild ist kein neuer Name mehr frei.</translation>
    </message>
    <message>
        <source>The file %1 is not a Pennibell backup: %2</source>
        <translation>Die Datei %1 ist keine Sicherung von Pennibell: %2</translation>
    </message>
</context>
<context>
    <name>CalendarCodec</name>
    <message>
        <source>The entry holds no single event.</source>
        <translation>Der Eintrag enthält nicht genau ein Ereignis.</translation>
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
    <message>
        <source>The calendar would take %1 MB, more than the %2 MB an import reads. Export fewer events at a time.</source>
        <translation>Der Kalender würde %1 MB belegen, mehr als die %2 MB, die ein Import liest. Exportieren Sie weniger Ereignisse auf einmal.</translation>
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
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and licence and exit.</source>
        <translation>Version und Lizenz zeigen und beenden.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>Siehe „%1 --help“.</translation>
    </message>
    <message>
        <source>every minute</source>
        <translation>jede Minute</translation>
    </message>
    <message>
        <source>every %1 minutes</source>
        <translation>alle %1 Minuten</translation>
    </message>
    <message>
        <source>every hour</source>
        <translation>jede Stunde</translation>
    </message>
    <message>
        <source>every %1 hours</source>
        <translation>alle %1 Stunden</translation>
    </message>
    <message>
        <source>every day</source>
        <translation>jeden Tag</translation>
    </message>
    <message>
        <source>every %1 days</source>
        <translation>alle %1 Tage</translation>
    </message>
    <message>
        <source>every week</source>
        <translation>jede Woche</translation>
    </message>
    <message>
        <source>every %1 weeks</source>
        <translation>alle %1 Wochen</translation>
    </message>
    <message>
        <source>every month</source>
        <translation>jeden Monat</translation>
    </message>
    <message>
        <source>every %1 months</source>
        <translation>alle %1 Monate</translation>
    </message>
    <message>
        <source>every year</source>
        <translation>jedes Jahr</translation>
    </message>
    <message>
        <source>every %1 years</source>
        <translation>alle %1 Jahre</translation>
    </message>
    <message>
        <source>once</source>
        <translation>einmal</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Next due</source>
        <translation>Nächster Termin</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Kennung</translation>
    </message>
    <message>
        <source>active</source>
        <translation>aktiv</translation>
    </message>
    <message>
        <source>expired</source>
        <translation>abgelaufen</translation>
    </message>
    <message>
        <source>snoozed</source>
        <translation>zurückgestellt</translation>
    </message>
    <message>
        <source>The picture file must be given by its full path.</source>
        <translation>Die Bilddatei muss mit ihrem vollständigen Pfad angegeben werden.</translation>
    </message>
    <message>
        <source>The event was not added: %1</source>
        <translation>Der Termin wurde nicht hinzugefügt: %1</translation>
    </message>
    <message>
        <source>No event has the identifier %1.</source>
        <translation>Kein Termin hat die Kennung %1.</translation>
    </message>
    <message>
        <source>The event was not removed: %1</source>
        <translation>Der Termin wurde nicht entfernt: %1</translation>
    </message>
    <message>
        <source>Pennibell is not running: start it to show a reminder.</source>
        <translation>Pennibell läuft nicht: Starten Sie es, um eine Erinnerung zu zeigen.</translation>
    </message>
    <message>
        <source>No reminder is on screen.</source>
        <translation>Es wird gerade keine Erinnerung angezeigt.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no number of minutes from 1 to %2.</source>
        <translation>„%1“ ist keine Anzahl Minuten von 1 bis %2.</translation>
    </message>
    <message>
        <source>TITLE</source>
        <translation>TITEL</translation>
    </message>
    <message>
        <source>Make an event and print its identifier. Needs --at.</source>
        <translation>Einen Termin anlegen und seine Kennung ausgeben. Braucht --at.</translation>
    </message>
    <message>
        <source>--add needs --at WHEN.</source>
        <translation>--add braucht --at WANN.</translation>
    </message>
    <message>
        <source>List the events: title, next due, recurrence, state, identifier.</source>
        <translation>Die Termine auflisten: Titel, nächster Termin, Wiederholung, Zustand, Kennung.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>KENNUNG</translation>
    </message>
    <message>
        <source>Remove the event with this identifier.</source>
        <translation>Den Termin mit dieser Kennung entfernen.</translation>
    </message>
    <message>
        <source>Put the event&apos;s reminder on screen now, as a preview does.</source>
        <translation>Die Erinnerung des Termins jetzt zeigen, wie eine Vorschau.</translation>
    </message>
    <message>
        <source>Take the reminder on screen away.</source>
        <translation>Die Erinnerung auf dem Bildschirm wegnehmen.</translation>
    </message>
    <message>
        <source>MINUTES</source>
        <translation>MINUTEN</translation>
    </message>
    <message>
        <source>Bring the reminder on screen back in this many minutes.</source>
        <translation>Die Erinnerung auf dem Bildschirm nach so vielen Minuten wiederbringen.</translation>
    </message>
    <message>
        <source>Print the next reminder&apos;s time and title; exit status 1 when none.</source>
        <translation>Zeit und Titel der nächsten Erinnerung ausgeben; Rückgabewert 1, wenn keine kommt.</translation>
    </message>
    <message>
        <source>WHEN</source>
        <translation>WANN</translation>
    </message>
    <message>
        <source>With --add: when it falls due, &quot;2027-01-31 09:00&quot; in local time or &quot;+N UNIT&quot; from now.</source>
        <translation>Mit --add: wann er fällig wird, „2027-01-31 09:00“ in Ortszeit oder „+N EINHEIT“ ab jetzt.</translation>
    </message>
    <message>
        <source>N UNIT</source>
        <translation>N EINHEIT</translation>
    </message>
    <message>
        <source>With --add: repeat every N minutes, hours, days, weeks, months or years (min, h, d, w, mo, y). Without it, once.</source>
        <translation>Mit --add: alle N minutes, hours, days, weeks, months oder years wiederholen (min, h, d, w, mo, y). Ohne: einmal.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>With --add: the picture to show (PNG, JPEG, BMP, GIF, ...); white is transparent. Without it, the title in large letters.</source>
        <translation>Mit --add: das zu zeigende Bild (PNG, JPEG, BMP, GIF, …); Weiß ist durchsichtig. Ohne: der Titel in großen Buchstaben.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>With --add: the effect, named as in the event dialog (&quot;Push Left&quot;).</source>
        <translation>Mit --add: der Effekt, benannt wie im Termindialog („Push Left“).</translation>
    </message>
    <message>
        <source>With --list: one JSON array of objects.</source>
        <translation>Mit --list: ein JSON-Array von Objekten.</translation>
    </message>
    <message>
        <source>The data folder %1 cannot be made.</source>
        <translation>Der Datenordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Picture reminders on your desktop.

Without options, Pennibell starts and waits in the system tray. The event options work the same whether it is running or not, and need no display. Exit status: 0 done, 1 failed, 2 wrong usage.</source>
        <translation>Bilder als Erinnerung auf dem Schreibtisch.

Ohne Optionen startet Pennibell und wartet im Systembereich der Kontrollleiste. Die Terminoptionen wirken gleich, ob es läuft oder nicht, und brauchen keine Anzeige. Rückgabewert: 0 erledigt, 1 fehlgeschlagen, 2 falscher Aufruf.</translation>
    </message>
    <message>
        <source>--%1 and --%2 cannot go together.</source>
        <translation>--%1 und --%2 gehen nicht zusammen.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 ist mehr als einmal angegeben.</translation>
    </message>
    <message>
        <source>--%1 goes only with --%2.</source>
        <translation>--%1 geht nur mit --%2.</translation>
    </message>
    <message>
        <source>Unknown request &apos;%1&apos;.</source>
        <translation>Unbekannte Anfrage „%1“.</translation>
    </message>
    <message>
        <source>Pennibell is running but did not answer in time; the request may not have been carried out.</source>
        <translation>Pennibell läuft, hat aber nicht rechtzeitig geantwortet; die Anfrage wurde vielleicht nicht ausgeführt.</translation>
    </message>
    <message>
        <source>Pennibell runs on %1 in another session; nothing was changed.</source>
        <translation>Pennibell läuft auf %1 in einer anderen Sitzung; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>Pennibell needs a graphical desktop.</source>
        <translation>Pennibell braucht eine grafische Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>FILE.ics</source>
        <translation>DATEI.ics</translation>
    </message>
    <message>
        <source>Write the events (or only those whose identifiers follow) as an iCalendar file.</source>
        <translation>Die Ereignisse (oder nur die mit den folgenden Kennungen) als iCalendar-Datei schreiben.</translation>
    </message>
    <message>
        <source>Read the events and to-dos of an iCalendar file; what cannot be represented is listed and left out.</source>
        <translation>Die Termine und Aufgaben einer iCalendar-Datei einlesen; was sich nicht genau abbilden lässt, wird aufgeführt und ausgelassen.</translation>
    </message>
    <message>
        <source>With --import: import nothing when anything cannot be represented.</source>
        <translation>Mit --import: nichts einlesen, wenn sich etwas nicht genau abbilden lässt.</translation>
    </message>
    <message>
        <source>This program cannot sync from here.</source>
        <translation>Von hier aus kann dieses Programm nicht abgleichen.</translation>
    </message>
    <message>
        <source>Sync the events with the calendar set up on the Sync page or with --sync-to, and print the result.</source>
        <translation>Die Ereignisse mit dem Kalender abgleichen, der auf der Seite „Abgleich“ oder mit --sync-to eingerichtet wurde, und das Ergebnis ausgeben.</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Sync with this CalDAV calendar (or the calendar &quot;Pennibell&quot; on this server, made when missing) from now on, then sync. Needs --user; the password is the first line of standard input.</source>
        <translation>Von nun an mit diesem CalDAV-Kalender abgleichen (oder mit dem Kalender „Pennibell“ auf diesem Server, der angelegt wird, wenn er fehlt), dann abgleichen. Braucht --user; das Passwort ist die erste Zeile der Standardeingabe.</translation>
    </message>
    <message>
        <source>--sync-to needs --user NAME.</source>
        <translation>--sync-to braucht --user NAME.</translation>
    </message>
    <message>
        <source>No password came on standard input.</source>
        <translation>Auf der Standardeingabe kam kein Passwort.</translation>
    </message>
    <message>
        <source>With --sync-to: the user name on the calendar server.</source>
        <translation>Mit --sync-to: der Benutzername auf dem Kalenderserver.</translation>
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
    <name>DataFolderLock</name>
    <message>
        <source>The lock file %1 cannot be made.</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The lock file %1 cannot be made: %2</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The lock file %1 is not Pennibell&apos;s own file. Remove it, then try again.</source>
        <translation>Die Sperrdatei %1 ist nicht Pennibells eigene Datei. Entfernen Sie sie und versuchen Sie es erneut.</translation>
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
    <name>DavClient</name>
    <message>
        <source>Plain HTTP is only used to this computer; use an https:// address.</source>
        <translation>Unverschlüsseltes HTTP geht nur zu diesem Computer; bitte eine https://-Adresse verwenden.</translation>
    </message>
    <message>
        <source>%1 is not an https:// address.</source>
        <translation>%1 ist keine https://-Adresse.</translation>
    </message>
    <message>
        <source>The server&apos;s answer is too large (%1 bytes).</source>
        <translation>Die Antwort des Servers ist zu groß (%1 Bytes).</translation>
    </message>
    <message>
        <source>The server&apos;s answer is too large.</source>
        <translation>Die Antwort des Servers ist zu groß.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate is not trusted (%1); nothing was sent.</source>
        <translation>Dem Zertifikat des Servers wird nicht vertraut (%1); nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>The server refused the user name or password.</source>
        <translation>Der Server hat Benutzername oder Passwort abgelehnt.</translation>
    </message>
    <message>
        <source>Cannot reach the server: %1</source>
        <translation>Der Server ist nicht erreichbar: %1</translation>
    </message>
</context>
<context>
    <name>DavDiscovery</name>
    <message>
        <source>The server sent the request to another address (%1).</source>
        <translation>Der Server hat die Anfrage an eine andere Adresse umgeleitet (%1).</translation>
    </message>
    <message>
        <source>No calendar was found at %1 (%2).</source>
        <translation>Unter %1 wurde kein Kalender gefunden (%2).</translation>
    </message>
    <message>
        <source>No calendar was found at %1.</source>
        <translation>Unter %1 wurde kein Kalender gefunden.</translation>
    </message>
    <message>
        <source>No calendar home was found on the server.</source>
        <translation>Auf dem Server wurde kein Kalenderordner gefunden.</translation>
    </message>
    <message>
        <source>The server does not let the program create a calendar (%1).</source>
        <translation>Der Server lässt das Programm keinen Kalender anlegen (%1).</translation>
    </message>
</context>
<context>
    <name>DesktopNotice</name>
    <message>
        <source>Reminder at %1</source>
        <translation>Erinnerung um %1</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Again in 5 minutes</source>
        <translation>In 5 Minuten erneut</translation>
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
    <message>
        <source>Reminder: %1</source>
        <translation>Erinnerung: %1</translation>
    </message>
</context>
<context>
    <name>EventRequest</name>
    <message>
        <source>&apos;%1&apos; is no recurrence: give a count from 1 to %2 and a unit (%3).</source>
        <translation>„%1“ ist keine Wiederholung: Geben Sie eine Anzahl von 1 bis %2 und eine Einheit an (%3).</translation>
    </message>
    <message>
        <source>Unknown unit &apos;%1&apos;: use one of %2.</source>
        <translation>Unbekannte Einheit „%1“: Verwenden Sie eine von %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is too far ahead: give a count from 1 to %2.</source>
        <translation>„%1“ liegt zu weit voraus: Geben Sie eine Anzahl von 1 bis %2 an.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; lies beyond the year %2.</source>
        <translation>„%1“ liegt nach dem Jahr %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no date and time: write &quot;2027-01-31 09:00&quot; or &quot;+2 hours&quot;.</source>
        <translation>„%1“ ist kein Datum mit Uhrzeit: Schreiben Sie „2027-01-31 09:00“ oder „+2 hours“.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; lies before the year %2.</source>
        <translation>„%1“ liegt vor dem Jahr %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has no valid offset from UTC.</source>
        <translation>„%1“ hat keinen gültigen Abstand zu UTC.</translation>
    </message>
    <message>
        <source>The title is empty.</source>
        <translation>Der Titel ist leer.</translation>
    </message>
    <message>
        <source>The title is longer than %1 characters.</source>
        <translation>Der Titel ist länger als %1 Zeichen.</translation>
    </message>
    <message>
        <source>The title holds a line break or another control character.</source>
        <translation>Der Titel enthält einen Zeilenumbruch oder ein anderes Steuerzeichen.</translation>
    </message>
    <message>
        <source>Unknown field &apos;%1&apos;.</source>
        <translation>Unbekanntes Feld „%1“.</translation>
    </message>
    <message>
        <source>When the event falls due is missing.</source>
        <translation>Es fehlt, wann der Termin fällig wird.</translation>
    </message>
    <message>
        <source>The recurrence count must be a number from 1 to %1.</source>
        <translation>Die Anzahl der Wiederholung muss eine Zahl von 1 bis %1 sein.</translation>
    </message>
    <message>
        <source>A unit without a recurrence count.</source>
        <translation>Eine Einheit ohne Anzahl der Wiederholung.</translation>
    </message>
    <message>
        <source>%1 has already passed.</source>
        <translation>%1 ist schon vorbei.</translation>
    </message>
    <message>
        <source>Unknown effect &apos;%1&apos;.</source>
        <translation>Unbekannter Effekt „%1“.</translation>
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
<context>
    <name>IniFile</name>
    <message>
        <source>It holds more entries than Pennibell ever writes.</source>
        <translation>Sie enthält mehr Einträge, als Pennibell je schreibt.</translation>
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
        <source>&amp;Import…</source>
        <translation>&amp;Importieren …</translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation>E&amp;xportieren …</translation>
    </message>
    <message numerus="yes">
        <source>Replace your %n event(s) with those of %1?</source>
        <translation>
            <numerusform>Ihr %n Ereignis durch die aus %1 ersetzen?</numerusform>
            <numerusform>Ihre %n Ereignisse durch die aus %1 ersetzen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The backup holds %n event(s).</source>
        <translation>
            <numerusform>Die Sicherung enthält %n Ereignis.</numerusform>
            <numerusform>Die Sicherung enthält %n Ereignisse.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %n event(s).</source>
        <translation>
            <numerusform>%n Ereignis wiederhergestellt.</numerusform>
            <numerusform>%n Ereignisse wiederhergestellt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;?</source>
        <translation>„%1“ löschen?</translation>
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
    <name>MultiStatus</name>
    <message>
        <source>The server&apos;s answer declares a document type.</source>
        <translation>Die Antwort des Servers deklariert einen Dokumenttyp.</translation>
    </message>
    <message>
        <source>The server&apos;s answer is not a WebDAV listing.</source>
        <translation>Die Antwort des Servers ist keine WebDAV-Liste.</translation>
    </message>
    <message>
        <source>The server&apos;s answer is nested too deeply.</source>
        <translation>Die Antwort des Servers ist zu tief verschachtelt.</translation>
    </message>
    <message>
        <source>The server&apos;s answer lists too many entries.</source>
        <translation>Die Antwort des Servers nennt zu viele Einträge.</translation>
    </message>
    <message>
        <source>The server&apos;s answer holds an overlong value.</source>
        <translation>Die Antwort des Servers enthält einen überlangen Wert.</translation>
    </message>
    <message>
        <source>The server&apos;s answer points to another server.</source>
        <translation>Die Antwort des Servers verweist auf einen anderen Server.</translation>
    </message>
    <message>
        <source>The server&apos;s answer names an entry outside the calendar.</source>
        <translation>Die Antwort des Servers nennt einen Eintrag außerhalb des Kalenders.</translation>
    </message>
    <message>
        <source>The server&apos;s answer has an entry without an address.</source>
        <translation>Die Antwort des Servers hat einen Eintrag ohne Adresse.</translation>
    </message>
    <message>
        <source>The server&apos;s answer is not well-formed: %1</source>
        <translation>Die Antwort des Servers ist fehlerhaft: %1</translation>
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
        <source>The picture could not be saved to &quot;%1&quot;:
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
        <source>&quot;%1&quot; could not be opened:
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
    <name>PennibellBus</name>
    <message>
        <source>No event has the identifier %1.</source>
        <translation>Kein Termin hat die Kennung %1.</translation>
    </message>
</context>
<context>
    <name>PictureImport</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a picture.</source>
        <translation>%1 ist zu groß für ein Bild.</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>%1 is a link to another user&apos;s file.</source>
        <translation>%1 ist eine Verknüpfung auf die Datei eines anderen Benutzers.</translation>
    </message>
    <message>
        <source>%1 is %2 × %3 pixels; a picture may have at most %4 pixels a side and %5 in all.</source>
        <translation>%1 hat %2 × %3 Pixel; ein Bild darf höchstens %4 Pixel je Seite und %5 insgesamt haben.</translation>
    </message>
    <message>
        <source>%1 is not an image Pennibell can read: %2</source>
        <translation>%1 ist kein Bild, das Pennibell lesen kann: %2</translation>
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
    <name>ReminderHold</name>
    <message numerus="yes">
        <source>Reminders waiting until do not disturb ends: %n</source>
        <translation>
            <numerusform>%n Erinnerung wartet, bis „Nicht stören“ endet</numerusform>
            <numerusform>%n Erinnerungen warten, bis „Nicht stören“ endet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Reminders waiting while a program is full screen: %n</source>
        <translation>
            <numerusform>%n Erinnerung wartet, solange ein Programm im Vollbild läuft</numerusform>
            <numerusform>%n Erinnerungen warten, solange ein Programm im Vollbild läuft</numerusform>
        </translation>
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
    <message>
        <source>Hold reminders while the desktop is set to do not disturb</source>
        <translation>Erinnerungen zurückhalten, solange der Desktop auf „Nicht stören“ steht</translation>
    </message>
    <message>
        <source>Hold reminders while another program is full screen</source>
        <translation>Erinnerungen zurückhalten, solange ein anderes Programm im Vollbild läuft</translation>
    </message>
    <message>
        <source>Also show a desktop notification</source>
        <translation>Zusätzlich eine Desktop-Benachrichtigung anzeigen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The lock file %1 is not Pennibell&apos;s own file. Remove it, then start Pennibell again.</source>
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
    <message>
        <source>Pennibell is already running on %1 in another session, or a Pennibell command such as a sync is still working on it. Try again when it has ended.</source>
        <translation>Pennibell läuft bereits auf %1 in einer anderen Sitzung, oder ein Pennibell-Befehl wie ein Abgleich arbeitet noch damit. Versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>The request could not be read.</source>
        <translation>Die Anfrage konnte nicht gelesen werden.</translation>
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
    <name>SyncCommand</name>
    <message>
        <source>The server did not answer in time.</source>
        <translation>Der Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>%1 added, %2 changed, %3 removed here, %4 sent</source>
        <translation>%1 hinzugefügt, %2 geändert, %3 hier entfernt, %4 gesendet</translation>
    </message>
    <message numerus="yes">
        <source>%n changed on both sides, both kept</source>
        <translation>
            <numerusform>%n auf beiden Seiten geändert, beide behalten</numerusform>
            <numerusform>%n auf beiden Seiten geändert, beide behalten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left on the server that the program cannot show</source>
        <translation>
            <numerusform>%n auf dem Server belassen, das das Programm nicht zeigen kann</numerusform>
            <numerusform>%n auf dem Server belassen, die das Programm nicht zeigen kann</numerusform>
        </translation>
    </message>
    <message>
        <source>Sync from the Sync page to confirm.</source>
        <translation>Zum Bestätigen auf der Seite „Abgleich“ abgleichen.</translation>
    </message>
    <message>
        <source>Created the calendar &quot;Pennibell&quot; at %1.</source>
        <translation>Kalender „Pennibell“ unter %1 angelegt.</translation>
    </message>
    <message>
        <source>The password could not be kept in the keyring (%1); it is asked for at each start.</source>
        <translation>Das Passwort konnte nicht im Schlüsselbund abgelegt werden (%1); es wird bei jedem Start erfragt.</translation>
    </message>
    <message>
        <source>No calendar is set up; use --sync-to first.</source>
        <translation>Es ist kein Kalender eingerichtet; zuerst --sync-to verwenden.</translation>
    </message>
    <message>
        <source>The keyring holds no sync password (%1); use --sync-to again.</source>
        <translation>Der Schlüsselbund enthält kein Abgleich-Passwort (%1); --sync-to erneut verwenden.</translation>
    </message>
</context>
<context>
    <name>SyncFront</name>
    <message numerus="yes">
        <source>The calendar no longer holds %n of your events. Delete them here too?</source>
        <translation>
            <numerusform>Der Kalender enthält %n Ihrer Ereignisse nicht mehr. Auch hier löschen?</numerusform>
            <numerusform>Der Kalender enthält %n Ihrer Ereignisse nicht mehr. Auch hier löschen?</numerusform>
        </translation>
    </message>
    <message>
        <source>No calendar is set up; use --sync-to first.</source>
        <translation>Es ist kein Kalender eingerichtet; zuerst --sync-to verwenden.</translation>
    </message>
    <message>
        <source>The sync password is not known yet: enter it on the Sync page.</source>
        <translation>Das Passwort für den Abgleich ist noch nicht bekannt: auf der Seite „Abgleich“ eingeben.</translation>
    </message>
</context>
<context>
    <name>SyncPage</name>
    <message>
        <source>Find calendars</source>
        <translation>Kalender suchen</translation>
    </message>
    <message>
        <source>Create &quot;Pennibell&quot;</source>
        <translation>„Pennibell“ anlegen</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>Jetzt abgleichen</translation>
    </message>
    <message>
        <source>Server address:</source>
        <translation>Serveradresse:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Calendar:</source>
        <translation>Kalender:</translation>
    </message>
    <message>
        <source>Left on the server, not shown here:</source>
        <translation>Auf dem Server belassen, hier nicht gezeigt:</translation>
    </message>
    <message>
        <source>(kept in the keyring)</source>
        <translation>(im Schlüsselbund abgelegt)</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Abgleich</translation>
    </message>
    <message>
        <source>There is no keyring on this desktop: the program cannot keep the sync password and asks for it at each start.</source>
        <translation>Auf diesem Desktop gibt es keinen Schlüsselbund: Das Programm kann das Abgleich-Passwort nicht aufbewahren und fragt bei jedem Start danach.</translation>
    </message>
    <message>
        <source>Looking for calendars…</source>
        <translation>Kalender werden gesucht …</translation>
    </message>
    <message>
        <source>The server has no calendar for events yet.</source>
        <translation>Der Server hat noch keinen Kalender für Termine.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SyncService</name>
    <message numerus="yes">
        <source>Offline since %1: %n changes wait</source>
        <translation>
            <numerusform>Offline seit %1: %n Änderung wartet</numerusform>
            <numerusform>Offline seit %1: %n Änderungen warten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Synced %1: %n changes wait</source>
        <translation>
            <numerusform>Abgeglichen %1: %n Änderung wartet</numerusform>
            <numerusform>Abgeglichen %1: %n Änderungen warten</numerusform>
        </translation>
    </message>
    <message>
        <source>Synced %1</source>
        <translation>Abgeglichen %1</translation>
    </message>
    <message>
        <source>Not synced yet</source>
        <translation>Noch nicht abgeglichen</translation>
    </message>
    <message>
        <source>A sync is running; try again when it has ended.</source>
        <translation>Ein Abgleich läuft gerade; bitte erneut versuchen, wenn er beendet ist.</translation>
    </message>
</context>
<context>
    <name>SyncSession</name>
    <message>
        <source>The server failed (%1).</source>
        <translation>Der Server hat einen Fehler gemeldet (%1).</translation>
    </message>
    <message>
        <source>The server refused the calendar listing (%1).</source>
        <translation>Der Server hat die Kalenderliste verweigert (%1).</translation>
    </message>
    <message>
        <source>The server refused an event (%1).</source>
        <translation>Der Server hat einen Termin verweigert (%1).</translation>
    </message>
    <message numerus="yes">
        <source>The server no longer has %n of the events here; nothing was removed.</source>
        <translation>
            <numerusform>Der Server hat %n der Termine hier nicht mehr; nichts wurde entfernt.</numerusform>
            <numerusform>Der Server hat %n der Termine hier nicht mehr; nichts wurde entfernt.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (changed on this computer)</source>
        <translation>%1 (auf diesem Computer geändert)</translation>
    </message>
</context>
<context>
    <name>SyncState</name>
    <message>
        <source>The sync state file %1 is damaged.</source>
        <translation>Die Abgleich-Statusdatei %1 ist beschädigt.</translation>
    </message>
</context>
</TS>
