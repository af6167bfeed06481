<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>MainMenus</name>
    <message>
        <source>The language could not be kept in BRV3.ini</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language changes completely when Brivane 3 starts the next time.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>brv3::MainMenus</name>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow the &amp;System</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
