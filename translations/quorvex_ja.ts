<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>qvx</name>
    <message>
        <source>the file holds no &lt;robot&gt; element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link &quot;%1&quot; is defined twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joint &quot;%1&quot; is defined twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joint &quot;%1&quot; names link &quot;%2&quot;, which the model does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link &quot;%1&quot; is the child of both joint &quot;%2&quot; and joint &quot;%3&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the joints form a cycle through link &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh &quot;%1&quot; is not a file; only files are read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh &quot;%1&quot; lies outside the model&apos;s folder %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh %1 is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 is larger than %2 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 has %2 triangles, more than the %3 read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh file %1 holds a corner that is not a number</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qvx::RobotModel</name>
    <message>
        <source>cannot read the robot model %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read the robot model %1, line %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>urdfdom refused the model</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qvx::RobotModelReader</name>
    <message>
        <source>link &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a shape&apos;s origin is not a position within %1 m and a rotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh scale %1 %2 %3 is not above zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mesh %1 reaches farther than %2 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a shape&apos;s size is not between 0 and %1 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link &quot;%1&quot;: its inertial is not a mass of 0 to %2 kg at a position within %3 m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joint &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it names no link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its origin is not a position within %1 m and a rotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its axis has no direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its limits %1 to %2 are no range</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
