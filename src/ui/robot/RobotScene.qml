// The 3D stage of the robot view: lights, a camera, a floor grid and an empty robot node that
// the C++ side fills with one node per link (URDF is z-up; the robot node turns it y-up and
// takes metres as the scene's centimetres).
import QtQuick
import QtQuick3D
import QtQuick3D.Helpers

Rectangle {
    id: stage
    color: "#dde1e6"

    function addLink() {
        return linkComponent.createObject(robot)
    }
    function addShape(link, source) {
        return shapeComponent.createObject(link, { "source": source })
    }

    Component {
        id: linkComponent
        Node {}
    }
    Component {
        id: shapeComponent
        Model {
            property color color: "#b8c4d0"
            materials: PrincipledMaterial {
                baseColor: color
                roughness: 0.6
                metalness: 0.0
            }
        }
    }

    View3D {
        id: view
        objectName: "view"
        anchors.fill: parent
        environment: SceneEnvironment {
            clearColor: stage.color
            backgroundMode: SceneEnvironment.Color
            antialiasingMode: SceneEnvironment.NoAA
        }
        PerspectiveCamera {
            id: camera
            objectName: "camera"
            clipNear: 1
            clipFar: 10000
            fieldOfView: 40
        }
        DirectionalLight {
            eulerRotation.x: -40
            eulerRotation.y: 60
            brightness: 1.0
            ambientColor: "#505050"
        }
        DirectionalLight {
            eulerRotation.x: -20
            eulerRotation.y: -120
            brightness: 0.5
        }
        Model {
            objectName: "floor"
            eulerRotation.x: -90
            geometry: GridGeometry {
                horizontalLines: 21
                verticalLines: 21
                horizontalStep: 10
                verticalStep: 10
            }
            materials: DefaultMaterial {
                lighting: DefaultMaterial.NoLighting
                diffuseColor: "#8a929c"
            }
        }
        Node {
            id: robot
            objectName: "robot"
            eulerRotation.x: -90
        }
    }
}
