//Maya ASCII 2008 scene
//Name: particles.ma
//Last modified: Mon, Dec 07, 2026 12:07:35 PM
//Codeset: UTF-8
requires maya "2008";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "version" "2008";
createNode pointEmitter -n "emitter1";
	setAttr ".t" -type "double3" 5 5 5 ;
	setAttr ".rat" 40;
createNode transform -n "particle1";
createNode particle -n "particleShape1" -p "particle1";
	setAttr ".idt[0].iam" -type "stringArray" 2 "position" "worldPosition" ;
createNode transform -n "cube";
createNode locator -n "cubeShape" -p "cube";
createNode instancer -n "instancer1";
select -ne :time1;
	setAttr ".o" 3;
connectAttr ":time1.o" "particleShape1.cti";
connectAttr "cube.m" "instancer1.inh[0]";
connectAttr "emitter1.ot[0]" "particleShape1.npt[0]";
connectAttr "particleShape1.idt[0].ipd" "instancer1.inp";
// End of particles.ma
