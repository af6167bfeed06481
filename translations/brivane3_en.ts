<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainMenus</name>
    <message>
        <source>The language could not be kept in BRV3.ini</source>
        <translation>The language could not be kept in BRV3.ini</translation>
    </message>
    <message>
        <source>The language changes completely when Brivane 3 starts the next time.</source>
        <translation>The language changes completely when Brivane 3 starts the next time.</translation>
    </message>
</context>
<context>
    <name>brv3::MainMenus</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Follow the &amp;System</source>
        <translation>Follow the &amp;System</translation>
    </message>
</context>
</TS>
