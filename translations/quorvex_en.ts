<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<!-- The English catalogue: only corrections of source texts that are plainly broken English.
     The sources keep their texts (tests, remote programs and files compare them); a program
     running in English (Language=en, or an English locale) shows these instead. Every entry
     must name a text the Japanese catalogue also has (scripts/check_translations.py). -->
<context>
    <name>qvx::MainWindow</name>
    <message>
        <source>Commad</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>AllFiles (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>qvx::TrimWindow</name>
    <message>
        <source>AllFiles (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>qvx::CompareItemDialog</name>
    <message>
        <source>Jump if the amount of AD1change &gt; the comparing resistor</source>
        <translation>Jump if the change of AD1 &gt; the compare register</translation>
    </message>
    <message>
        <source>Jump if the amount of AD2change &gt; the comparing resistor</source>
        <translation>Jump if the change of AD2 &gt; the compare register</translation>
    </message>
    <message>
        <source>Jump if the amount of AD3change &gt; the comparing resistor</source>
        <translation>Jump if the change of AD3 &gt; the compare register</translation>
    </message>
    <message>
        <source>Jump if the amount of PA1change &gt; the comparing resistor</source>
        <translation>Jump if the change of PA1 &gt; the compare register</translation>
    </message>
    <message>
        <source>Jump if the amount of PA2change &gt; the comparing resistor</source>
        <translation>Jump if the change of PA2 &gt; the compare register</translation>
    </message>
    <message>
        <source>Jump if the amount of PA3change &gt; the comparing resistor</source>
        <translation>Jump if the change of PA3 &gt; the compare register</translation>
    </message>
    <message>
        <source>Jump if the amount of PA4change &gt; the comparing resistor</source>
        <translation>Jump if the change of PA4 &gt; the compare register</translation>
    </message>
    <message>
        <source>Jump if the cotton input equals the comparing resistor</source>
        <translation>Jump if the button input equals the compare register</translation>
    </message>
    <message>
        <source>Jump if (the button input AND the comparing resistor) &lt;&gt; 0</source>
        <translation>Jump if (the button input AND the compare register) &lt;&gt; 0</translation>
    </message>
</context>
<context>
    <name>qvx::SetItemDialog</name>
    <message>
        <source>Set the number in the comparing resistor</source>
        <translation>Set the number in the compare register</translation>
    </message>
    <message>
        <source>Emend the reference value of analog input</source>
        <translation>Correct the reference value of the analog input</translation>
    </message>
</context>
<context>
    <name>qvx::DocumentPropertiesDialog</name>
    <message>
        <source>Breadth</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>Update</translation>
    </message>
</context>
<context>
    <name>qvx::ItemPropertiesDialog</name>
    <message>
        <source>Revision</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Make Width over 20s</source>
        <translation>Make the width 20 or more</translation>
    </message>
    <message>
        <source>Make Height over 20s</source>
        <translation>Make the height 20 or more</translation>
    </message>
</context>
<context>
    <name>qvx::ServoParameterDialog</name>
    <message>
        <source>Dumping</source>
        <translation>Damping</translation>
    </message>
</context>
<context>
    <name>qvx::ChannelTableDialog</name>
    <message>
        <source>CH%1There is an error in the input of</source>
        <translation>There is an error in the input of CH%1</translation>
    </message>
    <message>
        <source>Change if the frequency rate</source>
        <translation>Change of the display rate</translation>
    </message>
</context>
<context>
    <name>qvx::OptionsDialog</name>
    <message>
        <source>Get a replay in the end of playing the motions</source>
        <translation>Get a reply at the end of playing the motions</translation>
    </message>
</context>
<context>
    <name>Compiler</name>
    <message>
        <source>There is an errow in branch line of </source>
        <translation>There is an error in the branch line of </translation>
    </message>
</context>
<context>
    <name>DocumentFile</name>
    <message>
        <source>Do you prepared for the disappearance of all the present data?</source>
        <translation>Are you prepared to lose all the present data?</translation>
    </message>
</context>
<context>
    <name>qvx::BoardLink</name>
    <message>
        <source>%1 completion</source>
        <translation>%1 connected</translation>
    </message>
</context>
</TS>
