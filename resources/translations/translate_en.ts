<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>Veloxa Remote</translation>
    </message>
    <message>
        <source>About Veloxa Remote...,Project Information...,Network Status...,Receive...</source>
        <translation>About Veloxa Remote...,Project Information...,Network Status...,Receive...</translation>
    </message>
</context>
<context>
    <name>MModel</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>QmlControlObject</name>
    <message>
        <source>Layout...</source>
        <translation>Layout...</translation>
    </message>
</context>
<context>
    <name>QmlDesktop</name>
    <message>
        <source>Receive Control Panel...</source>
        <translation>Receive Control Panel...</translation>
    </message>
</context>
<context>
    <name>QmlMessageDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QmlStatusBarObject</name>
    <message>
        <source>Collections</source>
        <translation>Collections</translation>
    </message>
</context>
<context>
    <name>QmlToolBarObject</name>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
</context>
<context>
    <name>QmlButton</name>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
</context>
<context>
    <name>WSlider</name>
    <message>
        <source>Percent</source>
        <translation>Percent</translation>
    </message>
</context>
</TS>
