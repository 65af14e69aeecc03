<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<!-- English needs only the plural forms of the texts that count: the sources are English. -->
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>Replace your %n event(s) with those of %1?</source>
        <translation>
            <numerusform>Replace your %n event with those of %1?</numerusform>
            <numerusform>Replace your %n events with those of %1?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The backup holds %n event(s).</source>
        <translation>
            <numerusform>The backup holds %n event.</numerusform>
            <numerusform>The backup holds %n events.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %n event(s).</source>
        <translation>
            <numerusform>Restored %n event.</numerusform>
            <numerusform>Restored %n events.</numerusform>
        </translation>
    </message>
</context>
</TS>
