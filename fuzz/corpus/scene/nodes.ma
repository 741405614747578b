//Maya ASCII 2008 scene
//Name: nodes.ma
//Last modified: Mon, Dec 07, 2026 12:07:35 PM
//Codeset: UTF-8
requires maya "2008";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "rig";
createNode transform -n "cube" -p "rig";
	addAttr -ci true -sn "extra" -ln "extra" -at "double";
	addAttr -ci true -m -sn "list" -ln "list" -at "long";
	addAttr -ci true -sn "note" -ln "note" -dt "string";
	setAttr ".t" -type "double3" 1 2 3 ;
	setAttr -s 1 ".list[2]" 5;
	setAttr ".note" -type "string" "hi";
createNode locator -n "cubeShape" -p "cube";
createNode transform -n "cubeCopy" -p "rig";
	addAttr -ci true -sn "extra" -ln "extra" -at "double";
	addAttr -ci true -m -sn "list" -ln "list" -at "long";
	addAttr -ci true -sn "note" -ln "note" -dt "string";
	setAttr ".t" -type "double3" 1 2 3 ;
	setAttr -s 1 ".list[2]" 5;
	setAttr ".note" -type "string" "hi";
parent -s -nc -r -add "|rig|cube|cubeShape" "cubeCopy";
connectAttr "rig.tx" "cube.extra";
// End of nodes.ma
