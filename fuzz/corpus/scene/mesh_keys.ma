//Maya ASCII 2008 scene
//Name: mesh_keys.ma
//Last modified: Mon, Dec 07, 2026 12:07:35 PM
//Codeset: UTF-8
requires maya "2008";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "version" "2008";
createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
	setAttr ".vt" -type "pointArray" 8 -0.5 -0.5 0.5 1 0.5 -0.5 0.5 1 -0.5 0.5 0.5 1 0.5 0.5 0.5 1 -0.5 0.5 -0.5 1 0.5 0.5 -0.5 1 -0.5 -0.5 -0.5 1 0.5 -0.5 -0.5 1 ;
	setAttr ".fvc" -type "Int32Array" 6 4 4 4 4 4 4 ;
	setAttr ".fvi" -type "Int32Array" 24 0 1 3 2 2 3 5 4 4 5 7 6 6 7 1 0 1 7 5 3 6 0 2 4 ;
createNode animCurveTL -n "box_translateX";
	setAttr ".ktv[0].kt" 1;
	setAttr ".ktv[1].kt" 10;
	setAttr ".ktv[1].kv" 5;
	setAttr -s 2 ".kit[0:1]" 8 8;
	setAttr -s 2 ".kot[0:1]" 8 8;
	setAttr -s 2 ".kix[0:1]" 1 1;
	setAttr -s 2 ".kiy[0:1]" 0 0;
	setAttr -s 2 ".kox[0:1]" 1 1;
	setAttr -s 2 ".koy[0:1]" 0 0;
connectAttr ":time1.o" "box_translateX.i";
connectAttr "box_translateX.o" "box.tx";
// End of mesh_keys.ma
